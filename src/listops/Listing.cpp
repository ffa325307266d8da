#include "listops/Listing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Well-formed UTF-8: no overlong form, no surrogate, nothing above U+10FFFF.
static bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (text.size() - i >= 8) {  // most cells are ASCII: skip them eight bytes at a time
      std::uint64_t eight;
      std::memcpy(&eight, text.data() + i, 8);
      if ((eight & 0x8080808080808080) == 0) {
        i += 8;
        continue;
      }
    }
    const unsigned char b = text[i];
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 4;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      length = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b == 0xF0) {
      low = 0x90;
    } else if (b == 0xF4) {
      high = 0x8F;
    } else if (b < 0xF1 || b > 0xF3) {
      return false;
    }
    if (text.size() - i < length) return false;
    const unsigned char second = text[i + 1];
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

// Reads the 17 cells of the record at `at` and moves at past its CR LF. Quotes, commas, CR and LF
// are never trail bytes in code page 932, so the bytes are read one by one whatever the encoding.
static bool ReadRecord(std::string_view bytes, std::size_t& at, ListingRow& row) {
  for (int column = 0; column < kColumnCount; ++column) {
    if (at == bytes.size() || bytes[at] != '"') return false;
    std::string& cell = row[column];
    for (++at;;) {
      const std::size_t quote = bytes.find('"', at);
      if (quote == std::string_view::npos) return false;
      const bool doubled = quote + 1 < bytes.size() && bytes[quote + 1] == '"';
      cell.append(bytes.data() + at, quote + doubled - at);  // a doubled quote keeps one
      at = quote + 1 + doubled;
      if (!doubled) break;
    }
    const std::string_view separator = column + 1 < kColumnCount ? "," : "\r\n";
    if (bytes.compare(at, separator.size(), separator) != 0) return false;
    at += separator.size();
  }
  return true;
}

bool ReadListing(std::string_view bytes, Listing& listing, int& line) {
  listing.utf8 = bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark;
  listing.rows.clear();
  listing.rows.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));  // a row a line, mostly
  const std::size_t nul = bytes.find('\0');  // not text: the record that holds the first is refused
  for (std::size_t at = listing.utf8 ? kByteOrderMark.size() : 0; at < bytes.size();) {
    const std::size_t start = at;
    ListingRow& row = listing.rows.emplace_back();
    if (!ReadRecord(bytes, at, row) || at > nul || (listing.utf8 && !IsUtf8(bytes.substr(start, at - start)))) {
      listing.rows.pop_back();
      // Counted only now: a listing read whole needs no line numbers.
      line = 1;
      for (std::size_t p = bytes.find("\r\n"); p < start; p = bytes.find("\r\n", p + 2)) ++line;
      return false;
    }
  }
  line = 0;
  return true;
}
