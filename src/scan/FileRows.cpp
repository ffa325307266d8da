#include "scan/FileRows.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "common/CodePage932.h"

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;

}  // namespace

char* FileRows::Room(std::vector<Block>& blocks, std::size_t length, Row& row) const {
  if (blocks.empty() || blocks.back().size - blocks.back().used < length) {
    const std::size_t size = std::max(length, kBlockSize);
    blocks.reserve(blocks.size() + 1);
    blocks.push_back({std::unique_ptr<char[]>(new char[size]), size, 0});
  }
  Block& last = blocks.back();
  row.block = static_cast<std::uint32_t>(blocks.size() - 1);
  row.start = static_cast<std::uint32_t>(last.used);
  last.used += length;
  return last.text.get() + row.start;
}

bool FileRows::Insert(int index, const char* name) {
  if (index < 0 || index > Count() || rows_.size() >= static_cast<std::size_t>(INT_MAX)) return false;
  const std::size_t length = std::strlen(name);
  if (length > UINT32_MAX / 2) return false;
  try {
    if (rows_.size() == rows_.capacity()) rows_.reserve(rows_.size() * 2 + 16);  // before any text is placed
    Row row;
    std::memcpy(Room(blocks_, length, row), name, length);
    row.end.fill(static_cast<std::uint32_t>(length));
    rows_.insert(rows_.begin() + index, row);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void FileRows::Set(int row, int column, const char* text) {
  if (Has(row, column)) SetSlot(row, column, text, std::strlen(text));
}

void FileRows::SetRealPath(int row, std::wstring_view path) {
  if (Has(row, kPathColumn))
    SetSlot(row, kRealPathSlot, reinterpret_cast<const char*>(path.data()), path.size() * sizeof(wchar_t));
}

void FileRows::SetSlot(int row, int column, const char* text, std::size_t length) {
  Row& r = rows_[row];
  const std::uint32_t start = column == 0 ? 0 : r.end[column - 1], old = r.end[kSlots - 1];
  const std::size_t before = r.end[column] - start;
  if (length > UINT32_MAX / 2 - (old - before)) return;
  const std::size_t now = old - before + length;
  Block& block = blocks_[r.block];
  char* at = block.text.get() + r.start;
  // A row changes where it is when it does not grow, or when it is the last text of the last
  // block and that has room (the scan sets the cells of the row it has just added); any other
  // row moves to the end with its new cell.
  const bool last = r.block + 1 == blocks_.size() && r.start + old == block.used;
  if (now <= old || (last && r.start + now <= block.size)) {
    std::memmove(at + start + length, at + r.end[column], old - r.end[column]);
    if (last)
      block.used = r.start + now;
    else
      unused_ += old - now;
  } else {
    Row moved = r;
    try {
      char* to = Room(blocks_, now, moved);
      std::memcpy(to, at, start);
      std::memcpy(to + start + length, at + r.end[column], old - r.end[column]);
      at = to;
    } catch (const std::bad_alloc&) {
      return;
    }
    unused_ += old;
    r.block = moved.block;
    r.start = moved.start;
  }
  std::memcpy(at + start, text, length);
  const std::uint32_t end = start + static_cast<std::uint32_t>(length), was = r.end[column];
  for (int c = column; c < kSlots; ++c) r.end[c] = r.end[c] - was + end;
}

std::string_view FileRows::Slot(int row, int slot) const {
  const Row& r = rows_[row];
  const std::uint32_t start = slot == 0 ? 0 : r.end[slot - 1];
  return std::string_view(TextOf(r) + start, r.end[slot] - start);
}

std::string_view FileRows::Cell(int row, int column) const {
  return Has(row, column) ? Slot(row, column) : std::string_view();
}

std::optional<std::wstring> FileRows::RealText(int row, int column) const {
  if (!Has(row, column) || (column != kNameColumn && column != kPathColumn)) return std::nullopt;
  const std::string_view bytes = Slot(row, kRealPathSlot);
  if (bytes.empty()) return std::nullopt;
  std::wstring path(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(&path[0], bytes.data(), path.size() * sizeof(wchar_t));
  if (column == kNameColumn) path.erase(0, path.rfind(L'\\') + 1);
  return path;
}

void FileRows::Clear() {
  rows_.clear();
  blocks_.clear();
  unused_ = 0;
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

template <typename Source>
bool FileRows::LayOut(std::size_t count, Source source) {
  try {
    std::vector<Row> rows(count);
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < count; ++i) {
      const Row& from = source(i);
      rows[i] = from;
      std::memcpy(Room(blocks, from.end[kSlots - 1], rows[i]), TextOf(from), from.end[kSlots - 1]);
    }
    rows_.swap(rows);
    blocks_.swap(blocks);
  } catch (const std::bad_alloc&) {
    return false;
  }
  unused_ = 0;
  return true;
}

void FileRows::Reorder(const std::vector<std::size_t>& order) {
  // The texts are laid out in the new order, the order in which the export and the next sort
  // read them. Without room for that, only the rows move.
  if (LayOut(order.size(), [&](std::size_t i) -> const Row& { return rows_[order[i]]; })) return;
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (std::size_t from : order) sorted.push_back(rows_[from]);
  rows_.swap(sorted);
}

void FileRows::Remove(const std::vector<int>& rows) {
  std::size_t kept = rows.empty() ? rows_.size() : static_cast<std::size_t>(rows.front()), next = 0;
  for (std::size_t r = kept; r < rows_.size(); ++r) {
    if (next < rows.size() && static_cast<std::size_t>(rows[next]) == r) {
      unused_ += rows_[r].end[kSlots - 1];
      ++next;
      continue;
    }
    rows_[kept++] = rows_[r];
  }
  rows_.resize(kept);
  // The texts of removed rows are given back once they outweigh the rest.
  std::size_t used = 0;
  for (const Block& b : blocks_) used += b.used;
  if (unused_ > used - unused_) LayOut(rows_.size(), [&](std::size_t i) -> const Row& { return rows_[i]; });
}
