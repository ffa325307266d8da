#include "settings/SettingsFile_win.h"

#include <cstdio>
#include <string>

#include "common/CodePage932.h"
#include "common/TextConvert_win.h"

Settings settings;
int columnWidths[kColumnCount];

namespace {

// Longer values are read cut, as a buffer of this size would hold them.
constexpr DWORD kValueRoom = 1024;

int ReadInt(const wchar_t* path, const char* key, int defaultValue) {
  // Missing or empty reads as the default, as the platform's integer reader does; any other
  // text goes through the core reader, which copes with whatever a hand edit left there.
  const std::string text = ReadSettingsText(path, key, "");
  return text.empty() ? defaultValue : ParseIniInt(text.c_str(), defaultValue);
}

int ReadInt(const wchar_t* path, const IntSettingKey& key) { return ReadInt(path, key.key, key.defaultValue); }

void ReadText(const wchar_t* path, const char* key, const char* defaultValue, char (&buffer)[kPathSize]) {
  const std::string text = ReadSettingsText(path, key, defaultValue);
  const std::size_t length = WholeCharPrefix932(text, kPathSize - 1);
  text.copy(buffer, length);
  buffer[length] = '\0';
}

void WriteInt(const wchar_t* path, const char* key, int value) {
  char text[16];  // "%d" of any int fits
  std::snprintf(text, sizeof text, "%d", value);
  WriteSettingsText(path, key, text);
}

// DIR1 holds the folder in code page 932; a folder with a character that code page lacks is kept
// whole in DIR1UTF8 beside it. That one is taken only while DIR1 still holds its 932 form: an
// older FILORA or a hand edit that changed DIR1 is not undone.
void ReadFolder(const wchar_t* path) {
  const std::string ansi = ReadSettingsText(path, kFolderKey, "");
  std::wstring folder = WideFrom932(ansi);
  std::string utf8;
  std::wstring whole;
  if (PercentDecode(ReadSettingsText(path, kFolderUtf8Key, ""), utf8)) whole = WideFromUtf8(utf8);
  if (!whole.empty() && NameTo932(whole) == ansi) folder.swap(whole);
  lstrcpynW(settings.folder, folder.c_str(), kPathSize);
}

void WriteFolder(const wchar_t* path) {
  bool lost = false;
  WriteSettingsText(path, kFolderKey, NameTo932(settings.folder, &lost).c_str());
  WriteSettingsText(path, kFolderUtf8Key, lost ? PercentEncode(Utf8From(settings.folder)).c_str() : nullptr);
}

// A hand-edited or stale rectangle (a monitor since removed) must not open the window out of reach.
void PlaceWindowOnScreen() {
  const WindowRect screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (screen.width <= 0 || screen.height <= 0) return;
  const WindowRect r = ClampWindowToScreen({settings.left, settings.top, settings.width, settings.height}, screen);
  settings.left = r.left;
  settings.top = r.top;
  settings.width = r.width;
  settings.height = r.height;
}

}  // namespace

std::string ReadSettingsText(const wchar_t* iniPath, const char* key, const char* defaultValue) {
  wchar_t value[kValueRoom];
  const DWORD length = GetPrivateProfileStringW(WideFrom932(kSettingsSection).c_str(), WideFrom932(key).c_str(),
                                                WideFrom932(defaultValue).c_str(), value, kValueRoom, iniPath);
  return NameTo932(std::wstring_view(value, length));
}

void WriteSettingsText(const wchar_t* iniPath, const char* key, const char* value) {
  // A null value removes the key.
  WritePrivateProfileStringW(WideFrom932(kSettingsSection).c_str(), WideFrom932(key).c_str(),
                             value ? WideFrom932(value).c_str() : nullptr, iniPath);
}

void LoadSettings(const wchar_t* path) {
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
  ReadFolder(path);
  for (int c = 0; c < kColumnCount; ++c)
    columnWidths[c] = ClampColumnWidth(ReadInt(path, ColumnWidthKey(c).c_str(), kDefaultColumnWidth));
}

void SaveSettings(const wchar_t* path, const WindowRect* window) {
  WriteSettingsText(path, kFilterKey, settings.filter);
  WriteInt(path, kSubKey.key, settings.includeSubfolders);
  WriteInt(path, kAutoKey.key, settings.autoWidth);
  WriteInt(path, kDeleteKey.key, settings.clearFirst);
  if (window) {
    WriteInt(path, kTopKey.key, window->top);
    WriteInt(path, kBottomKey.key, window->height);
    WriteInt(path, kLeftKey.key, window->left);
    WriteInt(path, kRightKey.key, window->width);
  }
  WriteFolder(path);
  WriteInt(path, kColorKey.key, static_cast<int>(settings.color));
  for (int c = 0; c < kColumnCount; ++c) WriteInt(path, ColumnWidthKey(c).c_str(), columnWidths[c]);
}
