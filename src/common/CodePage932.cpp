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

std::string UpperCase932(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(upper[i]);
    if (b >= 'a' && b <= 'z') upper[i] = static_cast<char>(b - 0x20);
    if (!IsLeadByte932(b) || i + 1 == upper.size()) continue;
    const unsigned char t = static_cast<unsigned char>(upper[++i]);
    int to = t;
    if (b == 0x82 && t >= 0x81 && t <= 0x9A) to = t - 0x21;  // ａ-ｚ
    if (b == 0x83 && t >= 0xBF && t <= 0xD6) to = t - 0x20;  // α-ω
    if (b == 0x84 && t >= 0x70 && t <= 0x91 && t != 0x7F) to = t - (t < 0x7F ? 0x30 : 0x31);  // а-я, 0x7F no trail byte
    if (b == 0xFA && t >= 0x40 && t <= 0x49) upper[i - 1] = '\x87', to = t + 0x14;  // ⅰ-ⅹ as Ⅰ-Ⅹ
    upper[i] = static_cast<char>(to);
  }
  return upper;
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
