#include "listops/RowCopy_win.h"

#include <climits>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "common/ColumnTable.h"
#include "common/Handles_win.h"
#include "listops/ClipboardText.h"
#include "scan/FileList_win.h"

namespace {

constexpr UINT kCodePage932 = 932;

// Moveable memory holding size bytes, filled by fill(pointer); empty when it cannot be had.
template <typename Fill>
GlobalMemory FilledMemory(std::size_t size, Fill fill) {
  GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
  void* at = memory.Valid() ? GlobalLock(memory.Get()) : nullptr;
  if (!at) return GlobalMemory();
  const bool filled = fill(at);
  GlobalUnlock(memory.Get());
  return filled ? std::move(memory) : GlobalMemory();
}

// The text as code page 932 bytes (CF_TEXT) and as UTF-16 made from them (CF_UNICODETEXT), so
// that a spreadsheet and an editor of either kind take the same text.
bool PutOnClipboard(HWND owner, const std::string& text) {
  if (text.size() >= INT_MAX) return false;
  const int bytes = static_cast<int>(text.size()) + 1;  // with the terminator
  const int wide = MultiByteToWideChar(kCodePage932, 0, text.c_str(), bytes, nullptr, 0);
  if (wide <= 0) return false;
  GlobalMemory ansi = FilledMemory(static_cast<std::size_t>(bytes), [&](void* at) {
    std::memcpy(at, text.c_str(), static_cast<std::size_t>(bytes));
    return true;
  });
  GlobalMemory unicode = FilledMemory(static_cast<std::size_t>(wide) * sizeof(wchar_t), [&](void* at) {
    return MultiByteToWideChar(kCodePage932, 0, text.c_str(), bytes, static_cast<wchar_t*>(at), wide) == wide;
  });
  if (!ansi.Valid() || !unicode.Valid()) return false;
  const OpenedClipboard clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard()) return false;
  // The clipboard owns what it took.
  if (SetClipboardData(CF_TEXT, ansi.Get())) ansi.Release();
  if (SetClipboardData(CF_UNICODETEXT, unicode.Get())) unicode.Release();
  return true;
}

}  // namespace

bool CopySelectedRows(HWND owner, HWND list) {
  const std::vector<int> rows = SelectedRows(list);
  if (rows.empty()) return false;
  std::string cells[kColumnCount], text;
  for (int c = 0; c < kColumnCount; ++c) cells[c] = kColumns[c].header;
  AppendTabbedLine(text, cells, kColumnCount);
  for (int row : rows) {
    for (int c = 0; c < kColumnCount; ++c) ReadCellText(list, row, c, cells[c]);
    AppendTabbedLine(text, cells, kColumnCount);
  }
  return PutOnClipboard(owner, text);
}

bool CopySelectedPaths(HWND owner, HWND list) {
  const std::vector<int> rows = SelectedRows(list);
  if (rows.empty()) return false;
  std::vector<std::string> paths(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) ReadCellText(list, rows[i], kPathColumn, paths[i]);
  return PutOnClipboard(owner, PathLines(paths));
}
