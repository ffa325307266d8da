#include "settings/SettingsFile_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/MainWindow_win.h"
#include "settings/SettingsKeys.h"

Settings settings;
int columnWidths[kColumnCount];

static std::string settingsPath;

const char* SettingsFilePath() {
  if (settingsPath.empty()) {
    char exe[MAX_PATH + 1] = "";
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    settingsPath = SettingsPathFromExePath(std::string(exe, n < sizeof exe ? n : 0));
  }
  return settingsPath.c_str();
}

void SetSettingsFilePath(const char* path) { settingsPath = path; }

static int ReadInt(const char* key, int defaultValue) {
  char text[64];
  // Missing or empty reads as the default, as the platform's integer reader does; any other
  // text goes through the core reader, which copes with whatever a hand edit left there.
  if (GetPrivateProfileStringA(kSettingsSection, key, "", text, sizeof text, SettingsFilePath()) == 0)
    return defaultValue;
  return ParseIniInt(text, defaultValue);
}

static int ReadInt(const IntSettingKey& key) { return ReadInt(key.key, key.defaultValue); }

static void ReadText(const char* key, const char* defaultValue, char (&buffer)[kPathSize]) {
  GetPrivateProfileStringA(kSettingsSection, key, defaultValue, buffer, kPathSize, SettingsFilePath());
}

static void WriteInt(const char* key, int value) {
  char text[16];  // "%d" of any int fits
  std::snprintf(text, sizeof text, "%d", value);
  WritePrivateProfileStringA(kSettingsSection, key, text, SettingsFilePath());
}

// A hand-edited or stale rectangle (a monitor since removed) must not open the window out of reach.
static void PlaceWindowOnScreen() {
  const WindowRect screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (screen.width <= 0 || screen.height <= 0) return;
  const WindowRect r = ClampWindowToScreen({settings.left, settings.top, settings.width, settings.height}, screen);
  settings.left = r.left;
  settings.top = r.top;
  settings.width = r.width;
  settings.height = r.height;
}

// The rectangle to save: a minimized or maximized window is stored as it will open again, in its
// normal place, not as the icon or the full screen the platform reports meanwhile.
static bool SavedWindowRect(HWND window, RECT& r) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if ((IsIconic(window) || IsZoomed(window)) && GetWindowPlacement(window, &placement)) {
    r = placement.rcNormalPosition;
    // The normal position is in work-area coordinates; the settings hold screen coordinates.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
      OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
    return true;
  }
  return GetWindowRect(window, &r) != 0;
}

void LoadSettings() {
  ReadText(kFilterKey, kDefaultFilter, settings.filter);
  settings.includeSubfolders = ReadInt(kSubKey);
  settings.autoWidth = ReadInt(kAutoKey);
  settings.clearFirst = ReadInt(kDeleteKey);
  settings.top = ReadInt(kTopKey);
  settings.height = ReadInt(kBottomKey);
  settings.left = ReadInt(kLeftKey);
  settings.width = ReadInt(kRightKey);
  PlaceWindowOnScreen();
  settings.color = static_cast<COLORREF>(ReadInt(kColorKey));
  ReadText(kFolderKey, "", settings.folder);
  for (int c = 0; c < kColumnCount; ++c)
    columnWidths[c] = ClampColumnWidth(ReadInt(ColumnWidthKey(c).c_str(), kDefaultColumnWidth));
}

void SaveSettings() {
  const char* path = SettingsFilePath();
  WritePrivateProfileStringA(kSettingsSection, kFilterKey, settings.filter, path);
  WriteInt(kSubKey.key, settings.includeSubfolders);
  WriteInt(kAutoKey.key, settings.autoWidth);
  WriteInt(kDeleteKey.key, settings.clearFirst);
  HWND main = MainWindow();
  RECT r;
  if (main && SavedWindowRect(main, r)) {
    WriteInt(kTopKey.key, r.top);
    WriteInt(kBottomKey.key, r.bottom - r.top);
    WriteInt(kLeftKey.key, r.left);
    WriteInt(kRightKey.key, r.right - r.left);
  }
  if (HWND folderBox = FolderBox()) GetWindowTextA(folderBox, settings.folder, kPathSize);
  WritePrivateProfileStringA(kSettingsSection, kFolderKey, settings.folder, path);
  WriteInt(kColorKey.key, static_cast<int>(settings.color));
  HWND list = FileListControl();
  for (int c = 0; c < kColumnCount; ++c) {
    int width = list ? static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0)) : columnWidths[c];
    WriteInt(ColumnWidthKey(c).c_str(), width);
  }
}
