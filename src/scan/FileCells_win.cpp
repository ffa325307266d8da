#include "scan/FileCells_win.h"

#include "scan/ColumnTable.h"
#include "scan/FileList_win.h"

void FillFileCells(HWND list, int index, const WIN32_FIND_DATAA&, const char* fullPath) {
  for (int c = 1; c < kPathColumn; ++c) SetCellText(list, index, c, "");
  SetCellText(list, index, kPathColumn, fullPath);
}
