#pragma once

constexpr int kColumnCount = 17;
constexpr int kSizeColumn = 2;
constexpr int kFirstVersionColumn = 8;
constexpr int kVersionColumnCount = 8;
constexpr int kPathColumn = 16;
constexpr int kDefaultColumnWidth = 100;

struct ColumnInfo {
  const char* header;  // code page 932
  bool rightAligned;
};

extern const ColumnInfo kColumns[kColumnCount];
