#include "settings/SettingsFile_win.h"

#include <cstdio>
#include <string>


Settings settings;
int columnWidths[kColumnCount];

static int ReadInt(const char* path, const char* key, int defaultValue) {
  char text[64];
  // Missing or empty reads as the default, as the platform's integer reader does; any other
  // text goes through the core reader, which copes with whatever a hand edit left there.
  if (GetPrivateProfileStringA(kSettingsSection, key, "", text, sizeof text, path) == 0)
    return defaultValue;
  return ParseIniInt(text, defaultValue);
}

static int ReadInt(const char* path, const IntSettingKey& key) { return ReadInt(path, key.key, key.defaultValue); }

static void ReadText(const char* path, const char* key, const char* defaultValue, char (&buffer)[kPathSize]) {
  GetPrivateProfileStringA(kSettingsSection, key, defaultValue, buffer, kPathSize, path);
}

static void WriteInt(const char* path, const char* key, int value) {
  char text[16];  // "%d" of any int fits
  std::snprintf(text, sizeof text, "%d", value);
  WritePrivateProfileStringA(kSettingsSection, key, text, path);
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

void LoadSettings(const char* path) {
  ReadText(path, kFilterKey, kDefaultFilter, settings.filter);
  settings.includeSubfolders = ReadInt(path, kSubKey);
  settings.autoWidth = ReadInt(path, kAutoKey);
  settings.clearFirst = ReadInt(path, kDeleteKey);
  settings.top = ReadInt(path, kTopKey);
  settings.height = ReadInt(path, kBottomKey);
  settings.left = ReadInt(path, kLeftKey);
  settings.width = ReadInt(path, kRightKey);
  PlaceWindowOnScreen();
  settings.color = static_cast<COLORREF>(ReadInt(path, kColorKey));
  ReadText(path, kFolderKey, "", settings.folder);
  for (int c = 0; c < kColumnCount; ++c)
    columnWidths[c] = ClampColumnWidth(ReadInt(path, ColumnWidthKey(c).c_str(), kDefaultColumnWidth));
}

void SaveSettings(const char* path, const WindowRect* window) {
  WritePrivateProfileStringA(kSettingsSection, kFilterKey, settings.filter, path);
  WriteInt(path, kSubKey.key, settings.includeSubfolders);
  WriteInt(path, kAutoKey.key, settings.autoWidth);
  WriteInt(path, kDeleteKey.key, settings.clearFirst);
  if (window) {
    WriteInt(path, kTopKey.key, window->top);
    WriteInt(path, kBottomKey.key, window->height);
    WriteInt(path, kLeftKey.key, window->left);
    WriteInt(path, kRightKey.key, window->width);
  }
  WritePrivateProfileStringA(kSettingsSection, kFolderKey, settings.folder, path);
  WriteInt(path, kColorKey.key, static_cast<int>(settings.color));
  for (int c = 0; c < kColumnCount; ++c) WriteInt(path, ColumnWidthKey(c).c_str(), columnWidths[c]);
}
