#include "settings/SettingsKeys.h"

#include <climits>
#include <cstdio>

const char kSettingsSection[] = "OPTION";
const char kFilterKey[] = "FILTER";
const char kDefaultFilter[] = "*.*";
const char kFolderKey[] = "DIR1";

const IntSettingKey kSubKey = {"SUB", 1};
const IntSettingKey kAutoKey = {"AUTO", 0};
const IntSettingKey kDeleteKey = {"DELETE", 1};
const IntSettingKey kTopKey = {"TOP", 0};
const IntSettingKey kBottomKey = {"BOTTOM", 480};
const IntSettingKey kLeftKey = {"LEFT", 0};
const IntSettingKey kRightKey = {"RIGHT", 640};
const IntSettingKey kColorKey = {"COLOR", kDefaultColor};

std::string ColumnWidthKey(int column) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "COLMN%02d", column + 1);
  return buf;
}

std::string FilterHistoryKey(int number) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "FILTER%03d", number);
  return buf;
}

std::string SettingsPathFromExePath(const std::string& exePath) {
  if (exePath.size() < 3) return exePath + ".INI";
  return exePath.substr(0, exePath.size() - 3) + "INI";
}

int ParseIniInt(const char* text, int defaultValue) {
  if (text == nullptr) return defaultValue;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  }
  // A hand-edited value out of the int range clamps to its nearest end rather than wrapping
  // to an arbitrary number; the capped accumulator never overflows.
  const unsigned long long cap = static_cast<unsigned long long>(INT_MAX) + 1;
  unsigned long long magnitude = 0;
  for (;; ++p) {
    unsigned digit;
    if (*p >= '0' && *p <= '9') {
      digit = static_cast<unsigned>(*p - '0');
    } else if (base == 16 && *p >= 'a' && *p <= 'f') {
      digit = static_cast<unsigned>(*p - 'a' + 10);
    } else if (base == 16 && *p >= 'A' && *p <= 'F') {
      digit = static_cast<unsigned>(*p - 'A' + 10);
    } else {
      break;
    }
    magnitude = magnitude * base + digit;
    if (magnitude > cap) magnitude = cap;  // stays far below any overflow of the accumulator
  }
  if (negative) return magnitude >= cap ? INT_MIN : -static_cast<int>(magnitude);
  return magnitude > static_cast<unsigned long long>(INT_MAX) ? INT_MAX
                                                               : static_cast<int>(magnitude);
}
