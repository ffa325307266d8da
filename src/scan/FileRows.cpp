#include "scan/FileRows.h"

#include <climits>
#include <cstring>
#include <new>

#include "common/CodePage932.h"

bool FileRows::Insert(int index, const char* name) {
  if (index < 0 || index > Count() || rows_.size() >= static_cast<std::size_t>(INT_MAX)) return false;
  try {
    Row row{name, {}};
    row.end.fill(static_cast<std::uint32_t>(row.text.size()));
    rows_.insert(rows_.begin() + index, std::move(row));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void FileRows::Set(int row, int column, const char* text) {
  if (!Has(row, column)) return;
  Row& r = rows_[row];
  const std::uint32_t start = column == 0 ? 0 : r.end[column - 1];
  const std::size_t length = std::strlen(text);
  r.text.replace(start, r.end[column] - start, text, length);
  const std::uint32_t end = start + static_cast<std::uint32_t>(length), old = r.end[column];
  for (int c = column; c < kColumnCount; ++c) r.end[c] = r.end[c] - old + end;
}

std::string_view FileRows::Cell(int row, int column) const {
  if (!Has(row, column)) return {};
  const Row& r = rows_[row];
  const std::uint32_t start = column == 0 ? 0 : r.end[column - 1];
  return std::string_view(r.text).substr(start, r.end[column] - start);
}

int FileRows::FindName(std::string_view prefix, int start) const {
  const int count = Count();
  if (start < 0 || start >= count) start = 0;
  for (int i = 0; i < count; ++i) {
    const int row = start < count - i ? start + i : start + i - count;
    if (StartsWithIgnoringCase932(Cell(row, kNameColumn), prefix)) return row;
  }
  return -1;
}

void FileRows::Reorder(const std::vector<std::size_t>& order) {
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  // Copied, not moved: the texts are then laid out in the new order, the order in which the
  // export and the next sort read them (read scattered, a long list costs more per row).
  for (std::size_t from : order) sorted.push_back(rows_[from]);
  rows_.swap(sorted);
}

void FileRows::Remove(const std::vector<int>& rows) {
  std::size_t kept = rows.empty() ? rows_.size() : static_cast<std::size_t>(rows.front()), next = 0;
  for (std::size_t r = kept; r < rows_.size(); ++r) {
    if (next < rows.size() && static_cast<std::size_t>(rows[next]) == r) {
      ++next;
      continue;
    }
    rows_[kept++] = std::move(rows_[r]);
  }
  rows_.resize(kept);
}
