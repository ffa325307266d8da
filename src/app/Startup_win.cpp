#include "app/Startup_win.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/CommandLineRun_win.h"
#include "app/MainWindow_win.h"
#include "common/Limits.h"
#include "settings/SettingsKeys.h"

void DispatchLoopMessage(MSG& msg) {
  if (msg.message == WM_DROPFILES) {
    HDROP drop = reinterpret_cast<HDROP>(msg.wParam);
    wchar_t path[kPathSize] = L"";
    DragQueryFileW(drop, 0, path, kPathSize);
    DragFinish(drop);
    SetWindowTextW(msg.hwnd, path);
    // The handle is gone now; nobody else may use it.
    msg.wParam = 0;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

// FILORA.INI beside the exe, in a folder of any name.
static std::wstring SettingsFilePath() {
  wchar_t exe[MAX_PATH + 1] = L"";
  const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH + 1);
  return SettingsPathFromExePath(std::wstring(exe, n <= MAX_PATH ? n : 0));
}

int RunFilora(HINSTANCE instance, int showCommand) {
  // With arguments, a listing without a window, beside any FILORA that runs.
  const std::vector<std::wstring> args = CommandLineArguments();
  if (!args.empty()) return RunCommandLine(instance, args, SettingsFilePath().c_str());
  if (HWND first = FindWindowA(kAppName, nullptr)) {
    ShowWindow(first, SW_RESTORE);
    SetForegroundWindow(first);
    return 0;
  }
  // The shell's folder browser and properties sheet, reached from the row menu, want COM.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // The list view and status bar classes must exist before the window creates its controls.
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  if (!RegisterMainWindowClass(instance)) return 0;
  if (!CreateMainWindow(instance, showCommand, SettingsFilePath().c_str())) return 0;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchLoopMessage(msg);
  return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}
