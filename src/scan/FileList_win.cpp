#include "scan/FileList_win.h"

#include <algorithm>
#include <optional>

#include "common/CodePage932.h"
#include "common/TextConvert_win.h"
#include "resource.h"
#include "scan/FileRows.h"
#include "settings/SettingsFile_win.h"

int sortState[kColumnCount];

namespace {

// Each list's rows live with the control: made with it, freed when it goes.
FileRows* RowsOf(HWND list) {
  return list ? reinterpret_cast<FileRows*>(GetWindowLongPtrW(list, GWLP_USERDATA)) : nullptr;
}

// The list view class's own procedure, the same for every list. A plain subclass: the common
// controls' subclass helper looks its data up per message through window properties, which
// costs Wine a round trip to its server for every message the list gets.
WNDPROC listViewProc;

LRESULT CALLBACK FileListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    delete RowsOf(list);
    SetWindowLongPtrW(list, GWLP_USERDATA, 0);
  }
  return CallWindowProcW(listViewProc, list, message, wParam, lParam);
}

void SetRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Gives the control the rows anew: their count, the rows selected (ascending), the focus, the
// selection mark and the row at the top of the view. Emptying it first drops the old selection at
// once; unselecting row by row costs the control time in proportion to the selection for each row,
// as does selecting out of order.
void ShowRowsAnew(HWND list, int count, const std::vector<int>& selected, int focus, int mark, int top) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(list, LVM_SETITEMCOUNT, count, 0);
  for (int row : selected) SetRowState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  if (focus >= 0) SetRowState(list, focus, LVIS_FOCUSED, LVIS_FOCUSED);
  if (mark >= 0) SendMessageA(list, LVM_SETSELECTIONMARK, 0, mark);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  // Emptying the control leaves its scroll position as it was; the scroll is relative to it.
  const int now = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  RECT row = {LVIR_BOUNDS, 0, 0, 0};
  if (top != now && SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row)))
    SendMessageA(list, LVM_SCROLL, 0, (top - now) * (row.bottom - row.top));
  InvalidateRect(list, nullptr, TRUE);
}

void AnswerCell(const FileRows& rows, LVITEMW& item) {
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const std::size_t room = static_cast<std::size_t>(item.cchTextMax) - 1;
  std::size_t n = 0;
  if (const std::optional<std::wstring> real = rows.RealText(item.iItem, item.iSubItem)) {
    n = real->copy(item.pszText, room);
  } else {
    // Never more characters than bytes: whole characters within room bytes fit.
    const std::string_view cell = rows.Cell(item.iItem, item.iSubItem);
    n = WideFrom932(cell.substr(0, WholeCharPrefix932(cell, room)), item.pszText, room);
  }
  item.pszText[n] = L'\0';
}

// Typing the start of a name moves to the next row that has it, as in a list holding its rows.
int FindTypedName(const FileRows& rows, const NMLVFINDITEMW& find) {
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
  return rows.FindName(NameTo932(find.lvfi.psz), find.iStart);
}

}  // namespace

HWND CreateFileList(HWND parent, HINSTANCE instance) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_EDITLABELS | LVS_OWNERDATA, 0, 0,
                              0, 0, parent, reinterpret_cast<HMENU>(IDC_LIST), instance, nullptr);
  if (!list) return nullptr;
  // The cells are asked for in UTF-16 whatever the parent, so that every name shows as it is.
  SendMessageW(list, LVM_SETUNICODEFORMAT, TRUE, 0);
  SetWindowLongPtrW(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new FileRows));
  listViewProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FileListProc)));
  for (int c = 0; c < kColumnCount; ++c) {
    std::wstring header = WideFrom932(kColumns[c].header);
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = kColumns[c].rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
    col.cx = columnWidths[c];
    col.pszText = &header[0];
    col.iSubItem = c;
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  return list;
}

bool AnswerListRequest(NMHDR* header, LRESULT& answer) {
  const FileRows* rows = RowsOf(header->hwndFrom);
  if (!rows) return false;
  switch (header->code) {
    case LVN_GETDISPINFOW: AnswerCell(*rows, reinterpret_cast<NMLVDISPINFOW*>(header)->item); break;
    case LVN_ODFINDITEMW: answer = FindTypedName(*rows, *reinterpret_cast<NMLVFINDITEMW*>(header)); return true;
    default: return false;
  }
  answer = 0;
  return true;
}

bool InsertFileRow(HWND list, int index, const char* name) {
  FileRows* rows = RowsOf(list);
  if (!rows || !rows->Insert(index, name)) return false;
  if (SendMessageA(list, LVM_SETITEMCOUNT, rows->Count(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL)) return true;
  rows->Remove({index});
  return false;
}

void SetCellText(HWND list, int row, int column, const char* text) {
  if (FileRows* rows = RowsOf(list)) rows->Set(row, column, text);
}

void SetRealPath(HWND list, int row, const wchar_t* path) {
  if (FileRows* rows = RowsOf(list)) rows->SetRealPath(row, path);
}

bool HasRealPath(HWND list, int row) {
  const FileRows* rows = RowsOf(list);
  return rows && rows->HasRealPath(row);
}

int RowCount(HWND list) {
  const FileRows* rows = RowsOf(list);
  return rows ? rows->Count() : 0;
}

void ClearFileList(HWND list) {
  if (FileRows* rows = RowsOf(list)) rows->Clear();
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

void ReadCellText(HWND list, int row, int column, std::string& text) {
  const FileRows* rows = RowsOf(list);
  text.assign(rows ? rows->Cell(row, column) : std::string_view());
}

void ReadRowText(HWND list, int row, std::string* cells) {
  const FileRows* rows = RowsOf(list);
  for (int c = 0; c < kColumnCount; ++c) cells[c].assign(rows ? rows->Cell(row, c) : std::string_view());
}

void ReadCellText(HWND list, int row, int column, std::wstring& text) {
  const FileRows* rows = RowsOf(list);
  std::optional<std::wstring> real = rows ? rows->RealText(row, column) : std::nullopt;
  text = real ? std::move(*real) : WideFrom932(rows ? rows->Cell(row, column) : std::string_view());
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  // The control steps over unselected rows itself, without a message for each.
  for (int row = -1;;) {
    const int next = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, row, LVNI_SELECTED));
    if (next <= row) break;
    rows.push_back(row = next);
  }
  return rows;
}

int FirstSelectedRow(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

int FocusedRow(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)); }

bool RowSelected(HWND list, int row) { return SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0; }

void SelectAllRows(HWND list) {
  // One message selects them all; with redraw on, Wine's control would repaint them one by one.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SetRowState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ReorderRows(HWND list, const std::vector<std::size_t>& order) {
  FileRows* rows = RowsOf(list);
  if (!rows || order.size() != static_cast<std::size_t>(rows->Count())) return;
  std::vector<int> now(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) now[order[i]] = static_cast<int>(i);
  const auto moved = [&](int row) { return row >= 0 && row < rows->Count() ? now[row] : -1; };
  std::vector<int> selected = SelectedRows(list);
  for (int& row : selected) row = now[row];
  std::sort(selected.begin(), selected.end());
  const int focus = moved(FocusedRow(list));
  const int mark = moved(static_cast<int>(SendMessageA(list, LVM_GETSELECTIONMARK, 0, 0)));
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));  // the view stays where it is
  rows->Reorder(order);
  ShowRowsAnew(list, rows->Count(), selected, focus, mark, top);
}

void RemoveRows(HWND list, const std::vector<int>& gone) {
  FileRows* rows = RowsOf(list);
  if (!rows || gone.empty()) return;
  // A row's index once the rows before it are gone; -1 for a row that goes.
  const auto left = [&](int row) {
    const auto at = std::lower_bound(gone.begin(), gone.end(), row);
    return row < 0 || (at != gone.end() && *at == row) ? -1 : row - static_cast<int>(at - gone.begin());
  };
  const int focus = left(FocusedRow(list));
  // The rows that were in view above the first removed one stay where they were.
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  const int topNow = top - static_cast<int>(std::lower_bound(gone.begin(), gone.end(), top) - gone.begin());
  rows->Remove(gone);
  ShowRowsAnew(list, rows->Count(), {}, focus, -1, topNow);
}
