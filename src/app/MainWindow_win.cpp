#include "app/MainWindow_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/AuxDialogs_win.h"
#include "common/Handles_win.h"
#include "listops/ColumnSort_win.h"
#include "listops/CompareExport_win.h"
#include "listops/CsvExport_win.h"
#include "listops/RowActions_win.h"
#include "listops/RowCopy_win.h"
#include "listops/RowGestures.h"
#include "listops/RowMenu_win.h"
#include "resource.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/OptionsDialog_win.h"
#include "settings/SettingsFile_win.h"

const char kAppName[] = "FILORA";

namespace {

// The main window and its children; every module is handed what it needs of them.
struct App {
  HINSTANCE instance = nullptr;
  std::wstring iniPath;
  HWND window = nullptr;  // null before creation and once destroyed
  HWND browseButton = nullptr;
  HWND folderBox = nullptr;
  HWND list = nullptr;
  HWND statusBar = nullptr;
  bool busy = false;  // a scan runs and Stop was not chosen
};
App app;

void SetBusyMenu(bool busy) {
  app.busy = busy;
  if (!app.window) return;
  HMENU menu = GetMenu(app.window);
  if (busy)
    ModifyMenuA(menu, IDM_START, MF_BYCOMMAND | MF_STRING, IDM_STOP, "中断(&I)");
  else
    ModifyMenuA(menu, IDM_STOP, MF_BYCOMMAND | MF_STRING, IDM_START, "情報の取得(&E)");
  const UINT state = MF_BYCOMMAND | (busy ? MF_GRAYED : MF_ENABLED);
  for (UINT id : {IDM_SAVE, IDM_COMPARE, IDM_EXIT, IDM_OPTIONS, IDM_HELP, IDM_ABOUT}) EnableMenuItem(menu, id, state);
  DrawMenuBar(app.window);
  EnableWindow(app.browseButton, !busy);
}

// A minimized or maximized window is saved as it will open again, in its normal place, not as
// the icon or the full screen the platform reports meanwhile.
bool WindowRectToSave(HWND window, WindowRect& saved) {
  RECT r;
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if ((IsIconic(window) || IsZoomed(window)) && GetWindowPlacement(window, &placement)) {
    r = placement.rcNormalPosition;
    // The normal position is in work-area coordinates; the settings hold screen coordinates.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
      OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
  } else if (!GetWindowRect(window, &r)) {
    return false;
  }
  saved = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  return true;
}

void SaveAppSettings() {
  GetWindowTextW(app.folderBox, settings.folder, kPathSize);
  for (int c = 0; c < kColumnCount; ++c)
    columnWidths[c] = static_cast<int>(SendMessageA(app.list, LVM_GETCOLUMNWIDTH, c, 0));
  WindowRect window;
  SaveSettings(app.iniPath.c_str(), WindowRectToSave(app.window, window) ? &window : nullptr);
}

void OnCreate(HWND hwnd) {
  app.window = hwnd;
  app.browseButton = CreateWindowExA(0, "BUTTON", "変更", WS_CHILD | WS_VISIBLE | BS_VCENTER, 10, 10, 60, 20, hwnd,
                                     reinterpret_cast<HMENU>(IDC_BROWSE), app.instance, nullptr);
  // Unicode, so that a folder of any name is typed, dropped or picked as it is.
  app.folderBox = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(IDC_FOLDER), app.instance, nullptr);
  SetWindowTextW(app.folderBox, settings.folder);
  app.list = CreateFileList(hwnd, app.instance);
  app.statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, "", hwnd, IDC_STATUS);
  DragAcceptFiles(app.folderBox, TRUE);
}

void OnSize(int width, int height) {
  MoveWindow(app.folderBox, 80, 10, width - 95, 20, TRUE);
  MoveWindow(app.list, 10, 40, width - 25, height - 70, TRUE);
  RECT r;
  GetClientRect(app.statusBar, &r);
  const int h = r.bottom - r.top;
  MoveWindow(app.statusBar, 0, height - h, width, h, TRUE);
}

void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  GdiObject brush(CreateSolidBrush(settings.color));
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
  EndPaint(hwnd, &ps);
}

void OnListKeyDown(HWND hwnd, WORD key) {
  switch (RowKeyAction(key, GetKeyState(VK_CONTROL) < 0)) {
    case RowKey::Delete:
      DeleteSelectedRows(app.list);
      SetListedCount(app.statusBar, RowCount(app.list));
      break;
    case RowKey::Open: OpenSelectedRows(hwnd, app.list, ShellExecuteW); break;
    case RowKey::SelectAll: SelectAllRows(app.list); break;
    case RowKey::Copy: CopySelectedRows(hwnd, app.list); break;
    case RowKey::None: break;
  }
}

LRESULT OnNotify(HWND hwnd, NMHDR* header) {
  // The folder box shares its id with the status bar; only the list sends these codes.
  if (header->hwndFrom != app.list) return 0;
  if (LRESULT answer; AnswerListRequest(header, answer)) return answer;
  switch (header->code) {
    case LVN_KEYDOWN: OnListKeyDown(hwnd, reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey); break;
    case LVN_COLUMNCLICK: SortByColumn(app.list, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem); break;
  }
  return 0;
}

void OnBrowse(HWND hwnd) {
  GetWindowTextW(app.folderBox, settings.folder, kPathSize);
  BrowseForFolder(hwnd, settings.folder);
  SetWindowTextW(app.folderBox, settings.folder);
}

void OnStart(HWND hwnd) {
  const ScanWindows windows = {hwnd, app.folderBox, app.list, app.statusBar, SetBusyMenu, false};
  StartScan(windows);
}

void OnStop() {
  StopScan();
  SetBusyMenu(false);
}

// Comparing needs a list; the other items follow the scan's state alone.
void OnInitMenuPopup(HMENU menu) {
  EnableMenuItem(menu, IDM_COMPARE, MF_BYCOMMAND | (app.busy || RowCount(app.list) == 0 ? MF_GRAYED : MF_ENABLED));
}

void OnCommand(HWND hwnd, int id) {
  switch (id) {
    case IDC_BROWSE: OnBrowse(hwnd); break;
    case IDM_EXIT: DestroyWindow(hwnd); break;
    case IDM_ABOUT: AboutDialog(app.instance, hwnd); break;
    case IDM_START: OnStart(hwnd); break;
    case IDM_OPTIONS: OptionsDialog(app.instance, hwnd, app.iniPath.c_str()); break;
    case IDM_STOP: OnStop(); break;
    case IDM_SAVE: SaveListAsCsv(hwnd, app.list); break;
    case IDM_COMPARE: CompareAndSave(hwnd, app.list, ScannedFolder()); break;
    case IDM_HELP: ShowHelp(hwnd); break;
  }
}

void OnDestroy() {
  SaveAppSettings();
  app.window = app.browseButton = app.folderBox = app.list = app.statusBar = nullptr;
  PostQuitMessage(0);
}

BOOL OnQueryEndSession() {
  SaveAppSettings();
  PostQuitMessage(0);
  return TRUE;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(hwnd); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{kMinWindowWidth, kMinWindowHeight};
      return 0;
    case WM_NOTIFY: return OnNotify(hwnd, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != app.list || !app.list) break;
      ShowRowMenu(app.instance, hwnd, app.list, lParam);
      return 0;
    case WM_MOUSEMOVE: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return 0;
    case WM_LBUTTONDBLCLK: ChooseBackgroundColor(hwnd); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession();
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, kAppName);
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, kAppName, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = kAppName;
  wc.lpszClassName = kAppName;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand, const wchar_t* iniPath) {
  app.instance = instance;
  app.iniPath = iniPath;
  LoadSettings(iniPath);
  HWND hwnd = CreateWindowExA(0, kAppName, kAppName, WS_OVERLAPPEDWINDOW, settings.left, settings.top,
                              settings.width, settings.height, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return nullptr;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);
  return hwnd;
}
