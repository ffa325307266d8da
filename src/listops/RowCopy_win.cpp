#include "listops/RowCopy_win.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/ColumnTable.h"
#include "common/Handles_win.h"
#include "common/TextConvert_win.h"
#include "listops/ClipboardText.h"
#include "scan/FileList_win.h"

namespace {

// Moveable memory holding size bytes, filled by fill(pointer); empty when it cannot be had.
template <typename Fill>
GlobalMemory FilledMemory(std::size_t size, Fill fill) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  void* at = memory.Valid() ? GlobalLock(memory.Get()) : nullptr;
  if (!at) return GlobalMemory();
  fill(at);
  GlobalUnlock(memory.Get());
  return memory;
}

template <typename Char>
GlobalMemory MemoryHolding(const std::basic_string<Char>& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(Char);  // with the terminator
  return FilledMemory(bytes, [&](void* at) { std::memcpy(at, text.c_str(), bytes); });
}

// The text in code page 932 (CF_TEXT, '?' for what that code page lacks) and as it really is
// (CF_UNICODETEXT), so that a spreadsheet and an editor of either kind take it.
bool PutOnClipboard(HWND owner, const std::string& ansi, const std::wstring& wide) {
  GlobalMemory ansiMemory = MemoryHolding(ansi), wideMemory = MemoryHolding(wide);
  if (!ansiMemory.Valid() || !wideMemory.Valid()) return false;
  const OpenedClipboard clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  // The clipboard owns what it took.
  if (SetClipboardData(CF_TEXT, ansiMemory.Get())) ansiMemory.Release();
  if (SetClipboardData(CF_UNICODETEXT, wideMemory.Get())) wideMemory.Release();
  return true;
}

}  // namespace

bool CopySelectedRows(HWND owner, HWND list) {
  const std::vector<int> rows = SelectedRows(list);
  if (rows.empty()) return false;
  std::string ansi, header[kColumnCount];
  for (int c = 0; c < kColumnCount; ++c) header[c] = kColumns[c].header;
  AppendTabbedLine(ansi, header, kColumnCount);
  // Most rows' real text is their 932 text: the lines up to a row that holds more are converted at
  // once, not cell by cell.
  std::wstring wide, wideCells[kColumnCount];
  std::size_t converted = 0;
  std::string cells[kColumnCount];
  for (int row : rows) {
    ReadRowText(list, row, cells);
    if (HasRealPath(list, row)) {
      wide += WideFrom932(std::string_view(ansi).substr(converted));
      for (int c = 0; c < kColumnCount; ++c) ReadCellText(list, row, c, wideCells[c]);
      AppendTabbedLine(wide, wideCells, kColumnCount);
      AppendTabbedLine(ansi, cells, kColumnCount);
      converted = ansi.size();
    } else {
      AppendTabbedLine(ansi, cells, kColumnCount);
    }
  }
  wide += WideFrom932(std::string_view(ansi).substr(converted));
  return PutOnClipboard(owner, ansi, wide);
}

bool CopySelectedPaths(HWND owner, HWND list) {
  const std::vector<int> rows = SelectedRows(list);
  if (rows.empty()) return false;
  std::vector<std::string> ansi(rows.size());
  std::vector<std::wstring> wide(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ReadCellText(list, rows[i], kPathColumn, ansi[i]);
    ReadCellText(list, rows[i], kPathColumn, wide[i]);
  }
  return PutOnClipboard(owner, PathLines(ansi), PathLines(wide));
}
