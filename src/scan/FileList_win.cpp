#include "scan/FileList_win.h"

#include "resource.h"
#include "settings/SettingsFile_win.h"

int sortState[kColumnCount];

HWND CreateFileList(HWND parent, HINSTANCE instance) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_EDITLABELS,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(IDC_LIST), instance, nullptr);
  if (!list) return nullptr;
  for (int c = 0; c < kColumnCount; ++c) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = kColumns[c].rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    col.cx = columnWidths[c];
    col.pszText = const_cast<char*>(kColumns[c].header);
    col.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
  }
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  return list;
}

bool InsertFileRow(HWND list, int index, const char* name, int tag) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = index;
  item.pszText = const_cast<char*>(name);
  item.lParam = tag;
  return SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

void SetCellText(HWND list, int index, int column, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
