#include "scan/FileCells.h"

#include <cstdio>
#include <cwchar>

std::string FormatSize(std::uint64_t size) {
  // Digits by hand: the 32-bit runtime's printf does not reliably know %llu.
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + size % 10);
    size /= 10;
  } while (size != 0);
  std::string text(n < 10 ? 10 - n : 0, ' ');
  while (n > 0) text += digits[--n];
  return text;
}

std::string FormatFileTime(bool isSet, const CalendarTime& t, bool withTimeOfDay) {
  if (!isSet) return "(不明)";
  // Room for six ints at their widest, so no field is ever cut.
  char buf[96];
  if (withTimeOfDay) {
    std::snprintf(buf, sizeof buf, "%4d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
  } else {
    std::snprintf(buf, sizeof buf, "%4d-%02d-%02d", t.year, t.month, t.day);
  }
  return buf;
}

std::string FormatAttributes(std::uint32_t attributes) {
  std::string text;
  if (attributes & 0x4) text += 'S';   // system
  if (attributes & 0x2) text += 'H';   // hidden
  if (attributes & 0x1) text += 'R';   // read-only
  if (attributes & 0x20) text += 'A';  // archive
  if (text.empty()) text = " ";
  return text;
}

std::string ShortNameCell(const char* alternateName) {
  if (alternateName == nullptr || alternateName[0] == '\0') return " ";
  return alternateName;
}

std::wstring TypeNameKey(const wchar_t* name) {
  const wchar_t* dot = name ? std::wcsrchr(name, L'.') : nullptr;
  return dot ? dot : L"";
}
