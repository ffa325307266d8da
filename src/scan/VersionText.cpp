#include "scan/VersionText.h"

#include <algorithm>
#include <cstdio>

const char* const kVersionKeys[kVersionColumnCount] = {
    "CompanyName",    "FileDescription",  "FileVersion", "InternalName",
    "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion",
};

std::string FormatTranslation(std::uint16_t language, std::uint16_t codePage) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04X%04X", static_cast<unsigned>(language),
                static_cast<unsigned>(codePage));
  return buf;
}

std::string VersionQueryPath(const std::string& translation, const char* key) {
  std::string path = "\\StringFileInfo\\";
  path += translation;
  path += '\\';
  if (key != nullptr) path += key;
  return path;
}

std::vector<std::string> VersionTranslationsToTry(const unsigned char* translation, std::size_t length) {
  std::vector<std::string> candidates;
  if (translation != nullptr && length >= 4) {
    // Two little-endian words: language, then code page.
    const std::uint16_t language = static_cast<std::uint16_t>(translation[0] | translation[1] << 8);
    const std::uint16_t codePage = static_cast<std::uint16_t>(translation[2] | translation[3] << 8);
    candidates.push_back(FormatTranslation(language, codePage));
    // Many files declare one code page and store their strings under another.
    candidates.push_back(FormatTranslation(language, 0x04B0));
    candidates.push_back(FormatTranslation(language, 0x04E4));
  }
  candidates.push_back("040904B0");
  candidates.push_back("040904E4");
  candidates.push_back("04090000");

  std::vector<std::string> order;
  for (const std::string& c : candidates) {
    if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
  }
  return order;
}

std::string VersionCell(const char* value, std::size_t len) {
  std::string cell;
  if (value != nullptr) {
    // The value is a C string; len may count its terminator.
    for (std::size_t i = 0; i < len && value[i] != '\0'; ++i) {
      const char c = value[i];
      cell += (c == '\r' || c == '\n') ? ' ' : c;  // a list cell shows a single line
    }
  }
  if (cell.empty()) cell = " ";
  return cell;
}

bool MayHoldVersionData(const unsigned char* head, std::size_t length) {
  if (head == nullptr || length < 2) return false;
  const unsigned signature = head[0] << 8 | head[1];
  return signature == ('M' << 8 | 'Z') || signature == ('S' << 8 | 'Z') || signature == (0x7F << 8 | 'E') ||
         signature == 0xCEFA || signature == 0xFEED;
}
