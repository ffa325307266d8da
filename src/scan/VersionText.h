#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern const char* const kVersionKeys[8];

// "%04X%04X": language first, code page second.
std::string FormatTranslation(std::uint16_t language, std::uint16_t codePage);

// "\StringFileInfo\<translation>\<key>".
std::string VersionQueryPath(const std::string& translation, const char* key);

// String tables to try, in order, each once: the first translation (when there is one),
// then its language with 04B0 and 04E4, then 040904B0, 040904E4, 04090000.
std::vector<std::string> VersionTranslationsToTry(bool hasTranslation, std::uint16_t language,
                                                  std::uint16_t codePage);

// The cell for one version value of len bytes: " " when empty, CR and LF turned into blanks.
std::string VersionCell(const char* value, std::size_t len);
