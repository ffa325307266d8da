#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <type_traits>
#include <vector>

#include "common/ColumnTable.h"

// 0 not sorted since the last scan, 1 ascending, 2 descending.
extern int sortState[kColumnCount];

// The list view with its 17 columns, widths from columnWidths.
HWND CreateFileList(HWND parent, HINSTANCE instance);

// Inserts the row of one file at index with its name in column 0 and the tag as lParam.
// False when the control refused the row (it holds as many as it can).
bool InsertFileRow(HWND list, int index, const char* name, int tag);
void SetCellText(HWND list, int index, int column, const char* text);
int RowCount(HWND list);

// The whole text of a cell, however long, as ANSI (char) or UTF-16 (wchar_t) text. buffer is the
// room read into: reading many cells through one buffer allocates once.
template <typename Char>
void ReadCellText(HWND list, int row, int column, std::basic_string<Char>& text, std::vector<Char>& buffer) {
  constexpr bool kAnsi = std::is_same<Char, char>::value;
  using Item = typename std::conditional<kAnsi, LVITEMA, LVITEMW>::type;
  if (buffer.size() < 512) buffer.resize(512);
  for (;;) {
    Item item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const int n = static_cast<int>(kAnsi ? SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item))
                                         : SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    // A full buffer may mean a cut text: read again with more room.
    if (n < static_cast<int>(buffer.size()) - 1) {
      text.assign(item.pszText, n > 0 ? n : 0);
      return;
    }
    buffer.resize(buffer.size() * 4);
  }
}
