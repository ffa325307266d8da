#include "scan/ColumnAutoWidth.h"

#include <algorithm>

WidthCandidates::WidthCandidates(int columns, std::function<int(wchar_t)> charWidth)
    : charWidth_(std::move(charWidth)), widths_(0x10000, -1), whole_(columns), cut_(columns) {}

int WidthCandidates::WidthOf(const wchar_t* text, int length) {
  int sum = 0;
  for (int i = 0; i < length; ++i) {
    int& width = widths_[static_cast<unsigned short>(text[i])];
    if (width < 0) width = charWidth_(text[i]);
    sum += width;
  }
  return sum;
}

void WidthCandidates::Keep(Widest& widest, int width, int row, const wchar_t* text, int length) {
  if (widest.size() == kPerColumn && width <= widest.back().width) return;
  for (const Cell& cell : widest) {
    if (cell.text.compare(0, std::wstring::npos, text, length) == 0) return;
  }
  auto at = widest.begin();
  while (at != widest.end() && at->width >= width) ++at;
  widest.insert(at, Cell{width, row, std::wstring(text, length)});
  if (widest.size() > kPerColumn) widest.pop_back();
}

void WidthCandidates::Offer(int column, int row, const wchar_t* text, int length) {
  if (length <= 0) return;
  const int cut = std::min(length, kShortText);
  const int cutWidth = WidthOf(text, cut);
  Keep(cut_[column], cutWidth, row, text, cut);
  Keep(whole_[column], length > cut ? cutWidth + WidthOf(text + cut, length - cut) : cutWidth, row, text, length);
}

std::vector<int> WidthCandidates::Rows() const {
  std::vector<int> rows;
  for (const auto* columns : {&whole_, &cut_}) {
    for (const Widest& widest : *columns) {
      for (const Cell& cell : widest) rows.push_back(cell.row);
    }
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}
