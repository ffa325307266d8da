#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ColumnTable.h"

extern const char* const kVersionKeys[kVersionColumnCount];

// "%04X%04X": language first, code page second.
std::string FormatTranslation(std::uint16_t language, std::uint16_t codePage);

// "\StringFileInfo\<translation>\<key>".
std::string VersionQueryPath(const std::string& translation, const char* key);

// String tables to try, in order, each once: the table the file declares first in its
// Translation value (translation: its bytes, nullptr when the file has none; length: the bytes
// there are), then that language with 04B0 and 04E4, then 040904B0, 040904E4, 04090000.
std::vector<std::string> VersionTranslationsToTry(const unsigned char* translation, std::size_t length);

// The cell for one version value of len bytes: " " when empty, CR and LF turned into blanks.
std::string VersionCell(const char* value, std::size_t len);

// Whether a file that begins with these bytes (length: how many could be read, at most 2 needed)
// may carry version data: programs ("MZ") and what the platform's reader also opens
// (LZ-compressed "SZ", ELF, Mach-O).
bool MayHoldVersionData(const unsigned char* head, std::size_t length);
