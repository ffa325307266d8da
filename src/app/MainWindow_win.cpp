#include "app/MainWindow_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/AuxDialogs_win.h"
#include "listops/ColumnSort_win.h"
#include "listops/CsvExport_win.h"
#include "listops/RowActions_win.h"
#include "resource.h"
#include "scan/FileList_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/OptionsDialog_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsKeys.h"

const char kAppName[] = "FILORA";

static HINSTANCE instance;
static HWND mainWindow;
static HWND browseButton;
static HWND folderBox;
static HWND fileList;
static HWND statusBar;

HINSTANCE AppInstance() { return instance; }
HWND MainWindow() { return mainWindow; }
HWND FolderBox() { return folderBox; }
HWND FileListControl() { return fileList; }
HWND StatusBar() { return statusBar; }

static void OnCreate(HWND hwnd) {
  browseButton = CreateWindowExA(0, "BUTTON", "変更", WS_CHILD | WS_VISIBLE | BS_VCENTER, 10, 10, 60, 20,
                                 hwnd, reinterpret_cast<HMENU>(IDC_BROWSE), instance, nullptr);
  folderBox = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, hwnd,
                              reinterpret_cast<HMENU>(IDC_FOLDER), instance, nullptr);
  SetWindowTextA(folderBox, settings.folder);
  fileList = CreateFileList(hwnd, instance);
  statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, "", hwnd, IDC_STATUS);
  DragAcceptFiles(folderBox, TRUE);
}

static void OnSize(int width, int height) {
  MoveWindow(folderBox, 80, 10, width - 95, 20, TRUE);
  MoveWindow(fileList, 10, 40, width - 25, height - 70, TRUE);
  RECT r;
  GetClientRect(statusBar, &r);
  int h = r.bottom - r.top;
  MoveWindow(statusBar, 0, height - h, width, h, TRUE);
}

static void OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HBRUSH brush = CreateSolidBrush(settings.color);
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, brush);
  EndPaint(hwnd, &ps);
  DeleteObject(brush);
}

static LRESULT OnNotify(NMHDR* header) {
  // The folder box shares its id with the status bar; only the list sends these codes.
  if (header->hwndFrom != fileList) return 0;
  switch (header->code) {
    case LVN_KEYDOWN: OnListKeyDown(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey); break;
    case LVN_COLUMNCLICK: SortByColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem); break;
  }
  return 0;
}

static void OnBrowse(HWND hwnd) {
  GetWindowTextA(folderBox, settings.folder, kPathSize);
  BrowseForFolder(hwnd, settings.folder);
  SetWindowTextA(folderBox, settings.folder);
}

static void OnCommand(HWND hwnd, int id) {
  switch (id) {
    case IDC_BROWSE: OnBrowse(hwnd); break;
    case IDM_EXIT: DestroyWindow(hwnd); break;
    case IDM_ABOUT: AboutDialog(hwnd); break;
    case IDM_START: StartScan(); break;
    case IDM_OPTIONS: OptionsDialog(hwnd); break;
    case IDM_STOP: StopScan(); break;
    case IDM_SAVE: SaveListAsCsv(); break;
    case IDM_HELP: ShowHelp(hwnd); break;
  }
}

static void OnDestroy() {
  SaveSettings();
  mainWindow = nullptr;
  browseButton = folderBox = fileList = statusBar = nullptr;
  PostQuitMessage(0);
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: mainWindow = hwnd; OnCreate(hwnd); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(hwnd); return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{kMinWindowWidth, kMinWindowHeight};
      return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND: OnCommand(hwnd, LOWORD(wParam)); return 0;
    case WM_MOUSEMOVE: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return 0;
    case WM_LBUTTONDBLCLK: ChooseBackgroundColor(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_QUERYENDSESSION: SaveSettings(); PostQuitMessage(0); return TRUE;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterMainWindowClass(HINSTANCE inst) {
  instance = inst;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = inst;
  wc.hIcon = LoadIconA(inst, kAppName);
  wc.hIconSm = static_cast<HICON>(LoadImageA(inst, kAppName, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszMenuName = kAppName;
  wc.lpszClassName = kAppName;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE inst, int showCommand) {
  instance = inst;
  HWND hwnd = CreateWindowExA(0, kAppName, kAppName, WS_OVERLAPPEDWINDOW, settings.left, settings.top,
                              settings.width, settings.height, nullptr, nullptr, inst, nullptr);
  if (!hwnd) return nullptr;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);
  return hwnd;
}

void SetBusyMenu(bool busy) {
  if (!mainWindow) return;
  HMENU menu = GetMenu(mainWindow);
  if (busy)
    ModifyMenuA(menu, IDM_START, MF_BYCOMMAND | MF_STRING, IDM_STOP, "中断(&I)");
  else
    ModifyMenuA(menu, IDM_STOP, MF_BYCOMMAND | MF_STRING, IDM_START, "情報の取得(&E)");
  const UINT state = MF_BYCOMMAND | (busy ? MF_GRAYED : MF_ENABLED);
  for (UINT id : {IDM_SAVE, IDM_EXIT, IDM_OPTIONS, IDM_HELP, IDM_ABOUT}) EnableMenuItem(menu, id, state);
  DrawMenuBar(mainWindow);
  EnableWindow(browseButton, !busy);
}
