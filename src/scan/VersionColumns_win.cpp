#include "scan/VersionColumns_win.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "scan/FileList_win.h"
#include "scan/VersionText.h"

namespace {

struct Found {
  const char* value;
  UINT length;       // as the platform reports it
  std::size_t room;  // bytes from the value to the end of the block
};

// The platform hands back a pointer into the block; anything outside it is treated as not found.
bool Query(std::vector<char>& block, const std::string& subBlock, Found& found) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), subBlock.c_str(), &value, &length) || value == nullptr) return false;
  const char* begin = block.data();
  const char* end = begin + block.size();
  const char* p = static_cast<const char*>(value);
  if (p < begin || p >= end) return false;
  found = {p, length, static_cast<std::size_t>(end - p)};
  return true;
}

// Fills cells from one string table; false, leaving them alone, when it holds none of the keys.
bool ReadStringTable(std::vector<char>& block, const std::string& translation, std::vector<std::string>& cells) {
  std::vector<std::string> table(kVersionColumnCount, " ");
  bool holdsAny = false;
  for (int k = 0; k < kVersionColumnCount; ++k) {
    Found found;
    if (!Query(block, VersionQueryPath(translation, kVersionKeys[k]), found)) continue;
    holdsAny = true;
    // An empty value's pointer may run on into the next entry, so a zero length means empty.
    const std::size_t length = found.length == 0 ? 0 : strnlen(found.value, found.room);
    table[k] = VersionCell(found.value, length);
  }
  if (holdsAny) cells.swap(table);
  return holdsAny;
}

// Asking the platform for version data costs several times more than opening the file, and
// only a few of the files in a tree have any. Version data lives in programs ("MZ"); the
// platform's reader also looks inside LZ-compressed files ("SZDD") and ELF and Mach-O
// libraries, so those go the usual way too. A file that cannot be opened or read here is left to
// the platform as well.
bool MayHoldVersionData(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  unsigned char head[2] = {};
  DWORD read = 0;
  const BOOL ok = ReadFile(file, head, sizeof head, &read, nullptr);
  CloseHandle(file);
  if (!ok) return true;
  if (read < sizeof head) return false;
  const unsigned signature = head[0] << 8 | head[1];
  return signature == ('M' << 8 | 'Z') || signature == ('S' << 8 | 'Z') || signature == (0x7F << 8 | 'E') ||
         signature == 0xCEFA || signature == 0xFEED;
}

std::vector<std::string> ReadVersionStrings(const char* path) {
  std::vector<std::string> cells(kVersionColumnCount, " ");
  if (!MayHoldVersionData(path)) return cells;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return cells;
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return cells;

  bool hasTranslation = false;
  WORD language = 0, codePage = 0;
  Found found;
  if (Query(block, "\\VarFileInfo\\Translation", found) && found.length >= 2 * sizeof(WORD) &&
      found.room >= 2 * sizeof(WORD)) {
    std::memcpy(&language, found.value, sizeof language);
    std::memcpy(&codePage, found.value + sizeof language, sizeof codePage);
    hasTranslation = true;
  }
  for (const std::string& translation : VersionTranslationsToTry(hasTranslation, language, codePage)) {
    if (ReadStringTable(block, translation, cells)) break;
  }
  return cells;
}

}  // namespace

void FillVersionCells(HWND list, int index, const char* fullPath) {
  const std::vector<std::string> cells = ReadVersionStrings(fullPath);
  for (int k = 0; k < kVersionColumnCount; ++k) SetCellText(list, index, kFirstVersionColumn + k, cells[k].c_str());
}
