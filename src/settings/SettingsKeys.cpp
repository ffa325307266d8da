#include "settings/SettingsKeys.h"

#include <climits>
#include <cstdio>

const char kSettingsSection[] = "OPTION";
const char kFilterKey[] = "FILTER";
const char kDefaultFilter[] = "*.*";
const char kFolderKey[] = "DIR1";
const char kFolderUtf8Key[] = "DIR1UTF8";

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

std::wstring SettingsPathFromExePath(const std::wstring& exePath) {
  if (exePath.size() < 3) return exePath + L".INI";
  return exePath.substr(0, exePath.size() - 3) + L"INI";
}

std::string PercentEncode(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : utf8) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80 && c != '%') {
      text += c;
    } else {
      text += '%';
      text += kHex[b >> 4];
      text += kHex[b & 0xF];
    }
  }
  return text;
}

bool PercentDecode(std::string_view text, std::string& utf8) {
  const auto digit = [](char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
  };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size() || digit(text[i + 1]) < 0 || digit(text[i + 2]) < 0) return false;
    out += static_cast<char>(digit(text[i + 1]) << 4 | digit(text[i + 2]));
    i += 2;
  }
  utf8.swap(out);
  return true;
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

static int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

WindowRect ClampWindowToScreen(WindowRect window, WindowRect screen) {
  // Work in 64 bits: hand-edited values can be anywhere in the int range.
  const long long screenRight = static_cast<long long>(screen.left) + screen.width;
  const long long screenBottom = static_cast<long long>(screen.top) + screen.height;
  WindowRect r;
  r.width = Clamp(window.width, kMinWindowWidth, screen.width > kMinWindowWidth ? screen.width : kMinWindowWidth);
  r.height =
      Clamp(window.height, kMinWindowHeight, screen.height > kMinWindowHeight ? screen.height : kMinWindowHeight);
  // Left: at least kReachableCaption pixels of the caption overlap the screen horizontally.
  const long long minLeft = screen.left + static_cast<long long>(kReachableCaption) - r.width;
  const long long maxLeft = screenRight - kReachableCaption;
  long long left = window.left;
  if (left < minLeft) left = minLeft;
  if (left > maxLeft) left = maxLeft;
  // Top: the caption starts on the screen, never above it, and a strip of it shows at the bottom.
  const long long maxTop = screenBottom - kReachableCaption;
  long long top = window.top;
  if (top > maxTop) top = maxTop;
  if (top < screen.top) top = screen.top;
  r.left = static_cast<int>(left);
  r.top = static_cast<int>(top);
  return r;
}

int ClampColumnWidth(int width) { return Clamp(width, 0, kMaxColumnWidth); }
