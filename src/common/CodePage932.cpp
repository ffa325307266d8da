#include "common/CodePage932.h"

bool IsLeadByte932(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::size_t WholeCharPrefix932(std::string_view text, std::size_t room) {
  std::size_t n = 0;
  while (n < text.size()) {
    const std::size_t next = n + (IsLeadByte932(static_cast<unsigned char>(text[n])) && n + 1 < text.size() ? 2 : 1);
    if (next > room) break;
    n = next;
  }
  return n;
}

bool StartsWithIgnoringCase932(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (IsLeadByte932(static_cast<unsigned char>(text[i]))) {
      if (text.compare(i, 2, prefix.substr(i, 2)) != 0) return false;
      ++i;
    } else if (lower(text[i]) != lower(prefix[i])) {
      return false;
    }
  }
  return true;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}
