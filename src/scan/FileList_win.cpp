#include "scan/FileList_win.h"

#include <commctrl.h>

#include <vector>

#include "resource.h"
#include "settings/SettingsFile_win.h"

int sortState[kColumnCount];

static int rowLimitForTest = -1;

void SetRowLimitForTest(int maxRows) { rowLimitForTest = maxRows; }

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
  if (rowLimitForTest >= 0 && RowCount(list) >= rowLimitForTest) return false;
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

std::string GetCellText(HWND list, int row, int column) {
  std::vector<char> buffer(512);
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int n = static_cast<int>(SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    // A full buffer may mean a cut text: read again with more room.
    if (n < static_cast<int>(buffer.size()) - 1) return std::string(item.pszText, n > 0 ? n : 0);
    buffer.resize(buffer.size() * 4);
  }
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
