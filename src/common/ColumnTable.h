#pragma once

// The 17 columns of a row, in list order.
enum Column {
  kNameColumn,
  kTypeColumn,
  kSizeColumn,
  kCreatedColumn,
  kModifiedColumn,
  kAccessedColumn,
  kAttributesColumn,
  kShortNameColumn,
  kFirstVersionColumn,  // eight version strings, in the order of kVersionKeys
  kPathColumn = kFirstVersionColumn + 8,
  kColumnCount
};
constexpr int kVersionColumnCount = kPathColumn - kFirstVersionColumn;
constexpr int kDefaultColumnWidth = 100;

struct ColumnInfo {
  const char* header;  // code page 932
  bool rightAligned;
};

extern const ColumnInfo kColumns[kColumnCount];
