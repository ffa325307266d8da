#include "scan/FileCells_win.h"

#include <shellapi.h>

#include <cstdint>
#include <cwchar>
#include <vector>

#include "common/ColumnTable.h"
#include "common/TextConvert_win.h"
#include "scan/FileCells.h"
#include "scan/FileList_win.h"
#include "scan/VersionColumns_win.h"

void CellCache::Begin() {
  typeNames_.clear();
  zoneOrNull_ = GetTimeZoneInformation(&zone_) == TIME_ZONE_ID_INVALID ? nullptr : &zone_;
}

const std::string& CellCache::TypeName(const wchar_t* name, const wchar_t* path) {
  const std::wstring key = TypeNameKey(name);
  auto found = typeNames_.find(key);
  if (found != typeNames_.end()) return found->second;
  SHFILEINFOW info = {};
  std::string typeName;
  // With SHGFI_USEFILEATTRIBUTES the shell goes by the extension and never opens the file.
  if (SHGetFileInfoW(path, 0, &info, sizeof info, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES))
    typeName = TextTo932(std::wstring_view(info.szTypeName, wcsnlen(info.szTypeName, ARRAYSIZE(info.szTypeName))));
  return typeNames_.emplace(key, typeName).first->second;
}

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

void FillFileCells(HWND list, int index, const WIN32_FIND_DATAW& data, const ScanPath& path, bool mayHoldVersion,
                   CellCache& cache) {
  const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  // The short name field is a fixed array: take no more than it holds.
  const std::string shortName = NameTo932(
      std::wstring_view(data.cAlternateFileName, wcsnlen(data.cAlternateFileName, ARRAYSIZE(data.cAlternateFileName))));
  const TIME_ZONE_INFORMATION* zone = cache.Zone();

  SetCellText(list, index, kTypeColumn, cache.TypeName(data.cFileName, path.wide).c_str());
  SetCellText(list, index, kSizeColumn, FormatSize(size).c_str());
  SetCellText(list, index, kCreatedColumn, FormatLocalFileTime(data.ftCreationTime, true, zone).c_str());
  SetCellText(list, index, kModifiedColumn, FormatLocalFileTime(data.ftLastWriteTime, true, zone).c_str());
  SetCellText(list, index, kAccessedColumn, FormatLocalFileTime(data.ftLastAccessTime, false, zone).c_str());
  SetCellText(list, index, kAttributesColumn, FormatAttributes(data.dwFileAttributes).c_str());
  SetCellText(list, index, kShortNameColumn, ShortNameCell(shortName.c_str()).c_str());
  const std::vector<std::string> version =
      mayHoldVersion ? ReadVersionStrings(path.wide) : std::vector<std::string>(kVersionColumnCount, " ");
  for (int k = 0; k < kVersionColumnCount; ++k) SetCellText(list, index, kFirstVersionColumn + k, version[k].c_str());
  SetCellText(list, index, kPathColumn, path.ansi);
}
