#include "scan/FileCells_win.h"

#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <map>

#include "common/ColumnTable.h"
#include "scan/FileCells.h"
#include "scan/FileList_win.h"
#include "scan/VersionColumns_win.h"

namespace {

constexpr int kTypeColumn = 1;
constexpr int kCreatedColumn = 3;
constexpr int kModifiedColumn = 4;
constexpr int kAccessedColumn = 5;
constexpr int kAttributesColumn = 6;
constexpr int kShortNameColumn = 7;

std::string TypeName(const char* path) {
  SHFILEINFOA info = {};
  // With SHGFI_USEFILEATTRIBUTES the shell goes by the extension and never opens the file.
  if (!SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES)) return "";
  return std::string(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName));
}

// The shell's answer depends on nothing but the extension, and asking costs more than the rest
// of the row, so each scan asks once per extension. The key is the name from its last dot on,
// byte for byte: the shell's idea of the extension (none when a blank follows the dot) and the
// case it may echo back both follow from it. Names without a dot share the empty key.
std::map<std::string, std::string> typeNames;

const std::string& CachedTypeName(const char* name, const char* path) {
  const char* dot = std::strrchr(name, '.');
  const std::string key = dot ? dot : "";
  auto found = typeNames.find(key);
  if (found == typeNames.end()) found = typeNames.emplace(key, TypeName(path)).first;
  return found->second;
}

// Given no zone, the time conversion looks up the machine's zone on every call, which costs more
// than the conversion itself. A scan looks it up once; should that fail, each conversion is left
// to look for itself.
TIME_ZONE_INFORMATION scanZone;
const TIME_ZONE_INFORMATION* scanZoneOrNull;

}  // namespace

std::string FormatLocalFileTime(const FILETIME& time, bool withTimeOfDay, const TIME_ZONE_INFORMATION* zone) {
  CalendarTime local = {};
  SYSTEMTIME utc, wall;
  // FileTimeToLocalFileTime would shift every date by today's offset, so a summer file seen in
  // winter would be an hour off. A time the platform cannot convert is as unknown as an unset one.
  const bool known = (time.dwLowDateTime != 0 || time.dwHighDateTime != 0) && FileTimeToSystemTime(&time, &utc) &&
                     SystemTimeToTzSpecificLocalTime(zone, &utc, &wall);
  if (known) local = {wall.wYear, wall.wMonth, wall.wDay, wall.wHour, wall.wMinute, wall.wSecond};
  return FormatFileTime(known, local, withTimeOfDay);
}

void FillFileCells(HWND list, int index, const WIN32_FIND_DATAA& data, const char* fullPath) {
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  // The short name field is a fixed array: take no more than it holds.
  const std::string shortName(data.cAlternateFileName, strnlen(data.cAlternateFileName, sizeof data.cAlternateFileName));

  SetCellText(list, index, kTypeColumn, CachedTypeName(data.cFileName, fullPath).c_str());
  SetCellText(list, index, kSizeColumn, FormatSize(size).c_str());
  SetCellText(list, index, kCreatedColumn, FormatLocalFileTime(data.ftCreationTime, true, scanZoneOrNull).c_str());
  SetCellText(list, index, kModifiedColumn, FormatLocalFileTime(data.ftLastWriteTime, true, scanZoneOrNull).c_str());
  SetCellText(list, index, kAccessedColumn, FormatLocalFileTime(data.ftLastAccessTime, false, scanZoneOrNull).c_str());
  SetCellText(list, index, kAttributesColumn, FormatAttributes(data.dwFileAttributes).c_str());
  SetCellText(list, index, kShortNameColumn, ShortNameCell(shortName.c_str()).c_str());
  FillVersionCells(list, index, fullPath);
  SetCellText(list, index, kPathColumn, fullPath);
}

void BeginScanCells() {
  typeNames.clear();
  scanZoneOrNull = GetTimeZoneInformation(&scanZone) == TIME_ZONE_ID_INVALID ? nullptr : &scanZone;
}
