#include "scan/FileList_win.h"

#include <commctrl.h>

#include <string>
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

void ReadCellText(HWND list, int row, int column, std::string& text, std::vector<char>& buffer) {
  if (buffer.size() < 512) buffer.resize(512);
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    int n = static_cast<int>(SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
    // A full buffer may mean a cut text: read again with more room.
    if (n < static_cast<int>(buffer.size()) - 1) {
      text.assign(item.pszText, n > 0 ? n : 0);
      return;
    }
    buffer.resize(buffer.size() * 4);
  }
}

std::string GetCellText(HWND list, int row, int column) {
  // One buffer for every call: an export reads each cell of the list through here.
  static std::vector<char> buffer;
  std::string text;
  ReadCellText(list, row, column, text, buffer);
  return text;
}

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// Sizing a column to its content makes the control measure every cell of it with a device
// context of its own, which takes seconds on a long list. The width depends only on the widest
// cell, so the rows are first ranked here by a cheap sum of character widths, and the control
// then sizes the columns of a hidden copy of the list that holds the widest rows alone.
namespace {

constexpr int kAutoSizeUseHeader = 0xFFFE;
// Texts are read this far at first. A control may measure a cell whole or only this far, so the
// widest cells are looked for both ways.
constexpr int kShortText = 259;
// Rows kept per column: the widest by the sum and a few runners-up in case a font's text is not
// quite as wide as its characters.
constexpr std::size_t kCandidates = 8;

void SetAutoWidth(HWND list, int column) {
  SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(kAutoSizeUseHeader, 0));
}

std::wstring CellTextW(HWND list, int row, int column) {
  std::vector<wchar_t> buffer(kShortText + 1);
  for (;;) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    const int n = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (n < static_cast<int>(buffer.size()) - 1) return std::wstring(item.pszText, n > 0 ? n : 0);
    buffer.resize(buffer.size() * 4);
  }
}

class CharWidths {
 public:
  explicit CharWidths(HWND list) : list_(list), dc_(GetDC(list)), widths_(0x10000, -1) {
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0))) oldFont_ = SelectObject(dc_, font);
  }
  ~CharWidths() {
    if (oldFont_) SelectObject(dc_, oldFont_);
    ReleaseDC(list_, dc_);
  }
  CharWidths(const CharWidths&) = delete;
  CharWidths& operator=(const CharWidths&) = delete;

  int Of(const wchar_t* text, int length) {
    int sum = 0;
    for (int i = 0; i < length; ++i) {
      int& width = widths_[static_cast<unsigned short>(text[i])];
      if (width < 0) {
        SIZE size = {};
        GetTextExtentPoint32W(dc_, &text[i], 1, &size);
        width = size.cx;
      }
      sum += width;
    }
    return sum;
  }

 private:
  HWND list_;
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
  std::vector<int> widths_;
};

// The rows of one column with the widest distinct texts, widest first.
class WidestCells {
 public:
  void Offer(int width, int row, const wchar_t* text, int length) {
    if (kept_.size() == kCandidates && width <= kept_.back().width) return;
    for (const Cell& cell : kept_) {
      if (cell.text.compare(0, std::wstring::npos, text, length) == 0) return;
    }
    auto at = kept_.begin();
    while (at != kept_.end() && at->width >= width) ++at;
    kept_.insert(at, Cell{width, row, std::wstring(text, length)});
    if (kept_.size() > kCandidates) kept_.pop_back();
  }
  template <typename F>
  void ForEachRow(F f) const {
    for (const Cell& cell : kept_) f(cell.row);
  }

 private:
  struct Cell {
    int width;
    int row;
    std::wstring text;
  };
  std::vector<Cell> kept_;
};

// A hidden list made like the given one: same styles, columns, headers and fonts, no rows.
// Null when the list has image lists, which would add to the widths, or when it cannot be made.
HWND CreateMeasuringCopy(HWND list, int columns) {
  for (int kind : {LVSIL_NORMAL, LVSIL_SMALL, LVSIL_STATE}) {
    if (SendMessageW(list, LVM_GETIMAGELIST, kind, 0)) return nullptr;
  }
  const LONG style = GetWindowLongW(list, GWL_STYLE) & ~WS_VISIBLE;
  HWND copy = CreateWindowExW(GetWindowLongW(list, GWL_EXSTYLE), WC_LISTVIEWW, L"", style, 0, 0, 0, 0,
                              GetParent(list), nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE)),
                              nullptr);
  if (!copy) return nullptr;
  // Hidden or not, a list that repaints updates its scroll bars at every change.
  SendMessageW(copy, WM_SETREDRAW, FALSE, 0);
  for (int c = 0; c < columns; ++c) {
    wchar_t header[kShortText + 1] = L"";
    LVCOLUMNW col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.pszText = header;
    col.cchTextMax = kShortText + 1;
    SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
    SendMessageW(copy, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  SendMessageW(copy, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageW(copy, WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  HWND copyHeader = reinterpret_cast<HWND>(SendMessageW(copy, LVM_GETHEADER, 0, 0));
  if (!header || !copyHeader) {
    DestroyWindow(copy);
    return nullptr;
  }
  SendMessageW(copyHeader, WM_SETFONT, SendMessageW(header, WM_GETFONT, 0, 0), FALSE);
  return copy;
}

void CopyRow(HWND from, int row, HWND to, int columns) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = static_cast<int>(SendMessageW(to, LVM_GETITEMCOUNT, 0, 0));
  for (int c = 0; c < columns; ++c) {
    std::wstring text = CellTextW(from, row, c);
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
  HWND copy = CreateMeasuringCopy(list, columns);
  if (!copy) {
    for (int c = 0; c < columns; ++c) SetAutoWidth(list, c);
    return;
  }

  std::vector<WidestCells> widest(measured), widestCut(measured);
  std::vector<bool> candidate(RowCount(list));
  {
    CharWidths charWidths(list);
    wchar_t shortText[kShortText + 1];
    std::wstring longText;
    for (int row = 0; row < static_cast<int>(candidate.size()); ++row) {
      for (int c = 0; c < measured; ++c) {
        LVITEMW item = {};
        item.iSubItem = c;
        item.pszText = shortText;
        item.cchTextMax = kShortText + 1;
        int n = static_cast<int>(SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (n <= 0) continue;
        const wchar_t* text = item.pszText;
        const int cut = n < kShortText ? n : kShortText;
        const int cutWidth = charWidths.Of(text, cut);
        widestCut[c].Offer(cutWidth, row, text, cut);
        if (n >= kShortText) {
          longText = CellTextW(list, row, c);
          text = longText.c_str();
          n = static_cast<int>(longText.size());
        }
        widest[c].Offer(n > cut ? cutWidth + charWidths.Of(text + cut, n - cut) : cutWidth, row, text, n);
      }
    }
  }
  for (const auto* columnsWidest : {&widest, &widestCut}) {
    for (const WidestCells& cells : *columnsWidest) cells.ForEachRow([&](int row) { candidate[row] = true; });
  }
  for (int row = 0; row < static_cast<int>(candidate.size()); ++row) {
    if (candidate[row]) CopyRow(list, row, copy, columns);
  }

  for (int c = 0; c < measured; ++c) {
    SetAutoWidth(copy, c);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(SendMessageW(copy, LVM_GETCOLUMNWIDTH, c, 0), 0));
  }
  SetAutoWidth(list, measured);
  DestroyWindow(copy);
}
