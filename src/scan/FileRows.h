#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ColumnTable.h"

// The rows of the file list. The list control keeps no copy of them and asks for the cells it
// paints, so rows are added, reordered and removed at the cost of a vector, however long the list
// (a control that holds its rows spends time in proportion to the list on every row it removes).
class FileRows {
 public:
  int Count() const { return static_cast<int>(rows_.size()); }
  // A new row at index with name in the first column and the others empty; false when no room
  // is left for it.
  bool Insert(int index, const char* name);
  // A cell that does not exist is empty and is not set; nor is one for which no room is left.
  void Set(int row, int column, const char* text);
  std::string_view Cell(int row, int column) const;
  // The real path of a row whose name or path code page 932 cannot write, as the disk holds it;
  // rows without one hold the real text in their cells.
  void SetRealPath(int row, std::wstring_view path);
  // The real text of the name or path cell of such a row (the name: the path's last part);
  // nullopt for every other cell, whose text is the real one.
  std::optional<std::wstring> RealText(int row, int column) const;
  bool HasRealPath(int row) const { return Has(row, kPathColumn) && !Slot(row, kRealPathSlot).empty(); }
  void Clear();
  // The first row from start on, going round to the top, whose name starts with prefix (letters
  // in either case); -1 when there is none.
  int FindName(std::string_view prefix, int start) const;
  // Row i takes what row order[i] held; order is a permutation of the rows.
  void Reorder(const std::vector<std::size_t>& order);
  // Removes the given rows (ascending, each once); the others keep their order.
  void Remove(const std::vector<int>& rows);

 private:
  // A row's cells lie one after another in a block, with where each ends, and after them its real
  // path (usually empty). The texts of all rows share a few large blocks: no allocation per row,
  // and the export and the sort, which read the rows in order, read memory in order once the rows
  // are laid out again in their new order.
  static constexpr int kRealPathSlot = kColumnCount;
  static constexpr int kSlots = kColumnCount + 1;
  struct Row {
    std::uint32_t block, start;
    std::array<std::uint32_t, kSlots> end;
  };
  struct Block {
    std::unique_ptr<char[]> text;
    std::size_t size, used;
  };
  bool Has(int row, int column) const { return row >= 0 && row < Count() && column >= 0 && column < kColumnCount; }
  // Sets a cell or the real path (slot) to length bytes at text.
  void SetSlot(int row, int slot, const char* text, std::size_t length);
  std::string_view Slot(int row, int slot) const;
  const char* TextOf(const Row& r) const { return blocks_[r.block].text.get() + r.start; }
  // Room for length bytes at the end of the last block, a new block if need be; throws bad_alloc.
  char* Room(std::vector<Block>& blocks, std::size_t length, Row& row) const;
  // The rows' texts laid out anew, row i from source(i); false when no room is left for it.
  template <typename Source>
  bool LayOut(std::size_t count, Source source);
  std::vector<Row> rows_;
  std::vector<Block> blocks_;
  std::size_t unused_ = 0;  // bytes of blocks no row points at any more
};
