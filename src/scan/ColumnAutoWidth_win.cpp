#include "scan/ColumnAutoWidth_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "common/Handles_win.h"
#include "scan/ColumnAutoWidth.h"
#include "scan/FileList_win.h"

namespace {

constexpr int kAutoSizeUseHeader = 0xFFFE;

void SetAutoWidth(HWND list, int column) {
  SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(kAutoSizeUseHeader, 0));
}

// Widths of single characters in the list's font.
class CharWidths {
 public:
  explicit CharWidths(HWND list) : dc_(list) {
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0))) oldFont_ = SelectObject(dc_.Get(), font);
  }
  ~CharWidths() {
    if (oldFont_) SelectObject(dc_.Get(), oldFont_);
  }
  CharWidths(const CharWidths&) = delete;
  CharWidths& operator=(const CharWidths&) = delete;
  int Of(wchar_t c) const {
    SIZE size = {};
    GetTextExtentPoint32W(dc_.Get(), &c, 1, &size);
    return size.cx;
  }

 private:
  WindowDC dc_;
  HGDIOBJ oldFont_ = nullptr;
};

// A hidden list made like the given one: same styles, columns, headers and fonts, no rows.
// Empty when the list has image lists, which would add to the widths, or when it cannot be made.
void CreateMeasuringCopy(HWND list, int columns, OwnedWindow& copy) {
  for (int kind : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE}) {
    if (SendMessageW(list, LVM_GETIMAGELIST, kind, 0)) return;
  }
  // It holds its rows itself, unlike the list, which asks for the cells it shows.
  const LONG style = GetWindowLongW(list, GWL_STYLE) & ~(WS_VISIBLE | LVS_OWNERDATA);
  copy.Reset(CreateWindowExW(GetWindowLongW(list, GWL_EXSTYLE), WC_LISTVIEWW, L"", style, 0, 0, 0, 0, GetParent(list),
                             nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE)), nullptr));
  if (!copy.Valid()) return;
  HWND to = copy.Get();
  // Hidden or not, a list that repaints updates its scroll bars at every change.
  SendMessageW(to, WM_SETREDRAW, FALSE, 0);
  for (int c = 0; c < columns; ++c) {
    wchar_t header[WidthCandidates::kShortText + 1] = L"";
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.pszText = header;
    col.cchTextMax = WidthCandidates::kShortText + 1;
    SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    SendMessageW(to, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  SendMessageW(to, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageW(to, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  HWND copyHeader = reinterpret_cast<HWND>(SendMessageW(to, LVM_GETHEADER, 0, 0));
  if (!header || !copyHeader) {
    copy.Reset();
    return;
  }
  SendMessageW(copyHeader, WM_SETFONT, SendMessageW(header, WM_GETFONT, 0, 0), FALSE);
}

void CopyRow(HWND from, int row, HWND to, int columns, std::wstring& text) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(to, LVM_GETITEMCOUNT, 0, 0));
  for (int c = 0; c < columns; ++c) {
    ReadCellText(from, row, c, text);
    item.iSubItem = c;
    item.pszText = &text[0];
    if (c == 0)
      item.iItem = static_cast<int>(SendMessageW(to, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    else
      SendMessageW(to, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

}  // namespace

void SizeColumnsToContent(HWND list) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  if (columns <= 0) return;
  // The control sizes the last column to fill the rest of the list rather than to its cells, so
  // that one is left to the control.
  const int measured = columns - 1;
  OwnedWindow copy;
  CreateMeasuringCopy(list, columns, copy);
  if (!copy.Valid()) {
    for (int c = 0; c < columns; ++c) SetAutoWidth(list, c);
    return;
  }

  std::wstring text;
  std::vector<int> rows;
  {
    CharWidths charWidths(list);
    WidthCandidates candidates(measured, [&](wchar_t c) { return charWidths.Of(c); });
    const int count = RowCount(list);
    for (int row = 0; row < count; ++row) {
      for (int c = 0; c < measured; ++c) {
        ReadCellText(list, row, c, text);
        candidates.Offer(c, row, text.data(), static_cast<int>(text.size()));
      }
    }
    rows = candidates.Rows();
  }
  for (int row : rows) CopyRow(list, row, copy.Get(), columns, text);

  for (int c = 0; c < measured; ++c) {
    SetAutoWidth(copy.Get(), c);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(SendMessageW(copy.Get(), LVM_GETCOLUMNWIDTH, c, 0), 0));
  }
  SetAutoWidth(list, measured);
}
