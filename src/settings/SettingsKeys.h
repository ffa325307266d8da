#pragma once
#include <string>
#include <string_view>

extern const char kSettingsSection[];  // "OPTION"

struct IntSettingKey {
  const char* key;
  int defaultValue;
};

extern const char kFilterKey[];   // "FILTER", default "*.*"
extern const char kDefaultFilter[];
extern const char kFolderKey[];   // "DIR1", default ""
// "DIR1UTF8": the folder whole, when code page 932 lacks one of its characters (DIR1 then holds '?'
// for each), as UTF-8 with every byte outside ASCII and every '%' written as %XX, so that the
// file stays code page 932 text.
extern const char kFolderUtf8Key[];
extern const IntSettingKey kSubKey, kAutoKey, kDeleteKey, kTopKey, kBottomKey, kLeftKey, kRightKey,
    kColorKey;
constexpr int kDefaultColor = 0xE6FFFF;

// "COLMN01" for column 0 up to "COLMN17" for column 16.
std::string ColumnWidthKey(int column);

// "FILTER001" ... "FILTER999".
std::string FilterHistoryKey(int number);

// The executable's path with its last three characters replaced by "INI".
std::wstring SettingsPathFromExePath(const std::wstring& exePath);

// UTF-8 text in the form DIR1UTF8 holds it, and back; false when text is not such a form.
std::string PercentEncode(std::string_view utf8);
bool PercentDecode(std::string_view text, std::string& utf8);

// Reads an integer value as the platform's profile reader does: optional sign, decimal digits
// (or 0x and hex digits); text without a number reads as 0; a missing value is the default.
int ParseIniInt(const char* text, int defaultValue);

// A window's outer rectangle, or the virtual screen's, as position and size.
struct WindowRect {
  int left, top, width, height;
};

constexpr int kMinWindowWidth = 280;
constexpr int kMinWindowHeight = 240;
// How much of the caption must stay on the screen for the user to grab it.
constexpr int kReachableCaption = 48;

// The saved rectangle moved and sized so the window can be reached: its size between the minimum
// and the screen's, its top edge on the screen, and some of its caption across the screen. A window
// that already meets this keeps its rectangle unchanged.
WindowRect ClampWindowToScreen(WindowRect window, WindowRect screen);

constexpr int kMaxColumnWidth = 10000;
// A saved column width held to 0 .. kMaxColumnWidth.
int ClampColumnWidth(int width);
