#pragma once
#include <string>

extern const char kSettingsSection[];  // "OPTION"

struct IntSettingKey {
  const char* key;
  int defaultValue;
};

extern const char kFilterKey[];   // "FILTER", default "*.*"
extern const char kDefaultFilter[];
extern const char kFolderKey[];   // "DIR1", default ""
extern const IntSettingKey kSubKey, kAutoKey, kDeleteKey, kTopKey, kBottomKey, kLeftKey, kRightKey,
    kColorKey;
constexpr int kDefaultColor = 0xE6FFFF;

// "COLMN01" for column 0 up to "COLMN17" for column 16.
std::string ColumnWidthKey(int column);

// "FILTER001" ... "FILTER999".
std::string FilterHistoryKey(int number);

// The executable's path with its last three characters replaced by "INI".
std::string SettingsPathFromExePath(const std::string& exePath);

// Reads an integer value as the platform's profile reader does: optional sign, decimal digits
// (or 0x and hex digits); text without a number reads as 0; a missing value is the default.
int ParseIniInt(const char* text, int defaultValue);
