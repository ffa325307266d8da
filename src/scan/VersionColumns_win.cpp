#include "scan/VersionColumns_win.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "common/Handles_win.h"
#include "common/TextConvert_win.h"
#include "scan/NativeFileSystem_win.h"
#include "scan/VersionText.h"

namespace {

struct Found {
  const char* value;
  UINT length;       // as the platform reports it: bytes, or characters for a string
  std::size_t room;  // bytes from the value to the end of the block
};

// The platform hands back a pointer into the block; anything outside it is treated as not found.
bool Query(std::vector<char>& block, const std::string& subBlock, Found& found) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring wide(subBlock.begin(), subBlock.end());  // ASCII
  if (!VerQueryValueW(block.data(), wide.c_str(), &value, &length) || value == nullptr) return false;
  const char* begin = block.data();
  const char* end = begin + block.size();
  const char* p = static_cast<const char*>(value);
  if (p < begin || p >= end) return false;
  found = {p, length, static_cast<std::size_t>(end - p)};
  return true;
}

// A string value, as far as it goes within the block.
std::string StringValue(const Found& found) {
  // An empty value's pointer may run on into the next entry, so a zero length means empty.
  if (found.length == 0) return "";
  std::wstring value;
  wchar_t c;
  for (std::size_t at = 0; at + sizeof c <= found.room; at += sizeof c) {
    std::memcpy(&c, found.value + at, sizeof c);
    if (c == L'\0') break;
    value += c;
  }
  return TextTo932(value);
}

// Fills cells from one string table; false, leaving them alone, when it holds none of the keys.
bool ReadStringTable(std::vector<char>& block, const std::string& translation, std::vector<std::string>& cells) {
  std::vector<std::string> table(kVersionColumnCount, " ");
  bool holdsAny = false;
  for (int k = 0; k < kVersionColumnCount; ++k) {
    Found found;
    if (!Query(block, VersionQueryPath(translation, kVersionKeys[k]), found)) continue;
    holdsAny = true;
    const std::string value = StringValue(found);
    table[k] = VersionCell(value.c_str(), value.size());
  }
  if (holdsAny) cells.swap(table);
  return holdsAny;
}

}  // namespace

// Asking the platform for version data costs several times more than opening the file, and
// only a few of the files in a tree have any, so the first bytes decide. A file that cannot be
// opened or read here is left to the platform. A pipe or a device met in a folder (a link to a
// serial port, say) is no program, and reading it could wait for ever.
bool FileMayHoldVersionData(const wchar_t* path) {
  const NativeFileSystem native;
  FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return true;
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
  unsigned char head[2] = {};
  DWORD read = 0;
  if (!ReadFile(file.Get(), head, sizeof head, &read, nullptr)) return true;
  return MayHoldVersionData(head, read);
}

std::vector<std::string> ReadVersionStrings(const wchar_t* path) {
  std::vector<std::string> cells(kVersionColumnCount, " ");
  std::vector<char> block;
  {
    const NativeFileSystem native;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return cells;
    block.resize(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data())) return cells;
  }

  Found found;
  const bool declared = Query(block, "\\VarFileInfo\\Translation", found);
  const auto* declaredBytes = declared ? reinterpret_cast<const unsigned char*>(found.value) : nullptr;
  const std::size_t length = declared ? (found.length < found.room ? found.length : found.room) : 0;
  for (const std::string& translation : VersionTranslationsToTry(declaredBytes, length)) {
    if (ReadStringTable(block, translation, cells)) break;
  }
  return cells;
}

