// ParseIniInt against a reference built on strtoll; SettingsPathFromExePath keeps the stem.
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "FuzzSupport.h"
#include "settings/SettingsKeys.h"

namespace {

int Reference(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
    base = 16;
    i += 2;
  }
  const char* hex = "0123456789abcdefABCDEF";
  const std::size_t end = text.find_first_not_of(base == 16 ? hex : "0123456789", i);
  const std::string digits = text.substr(i, end == std::string::npos ? end : end - i);
  if (digits.empty()) return 0;
  errno = 0;
  long long v = std::strtoll(digits.c_str(), nullptr, base);  // saturates at LLONG_MAX
  if (negative) v = -v;
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzReader in(data, size);
  const auto def = in.Take<int>();
  const auto number = in.Take<std::uint16_t>();
  const std::string text = in.Fields()[0];

  const int value = ParseIniInt(text.c_str(), def);
  FUZZ_CHECK(value == Reference(text));
  FUZZ_CHECK(value == ParseIniInt(text.c_str(), ~def));  // a present value ignores the default
  FUZZ_CHECK(ParseIniInt(nullptr, def) == def);

  const std::string ini = SettingsPathFromExePath(text);
  if (text.size() >= 3) {
    FUZZ_CHECK(ini.size() == text.size());
    FUZZ_CHECK(ini.compare(0, text.size() - 3, text, 0, text.size() - 3) == 0);
    FUZZ_CHECK(ini.compare(ini.size() - 3, 3, "INI") == 0);
  } else {
    FUZZ_CHECK(ini == text + ".INI");
  }

  const int n = number % 999 + 1;
  const std::string key = FilterHistoryKey(n);
  FUZZ_CHECK(key.size() == 9 && key.compare(0, 6, "FILTER") == 0);
  FUZZ_CHECK(std::atoi(key.c_str() + 6) == n);
  const int column = number % 17;
  const std::string width = ColumnWidthKey(column);
  FUZZ_CHECK(width.size() == 7 && width.compare(0, 5, "COLMN") == 0);
  FUZZ_CHECK(std::atoi(width.c_str() + 5) == column + 1);
  return 0;
}
