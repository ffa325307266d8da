#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
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
  // A cell that does not exist is empty and is not set.
  void Set(int row, int column, const char* text);
  std::string_view Cell(int row, int column) const;
  void Clear() { rows_.clear(); }
  // The first row from start on, going round to the top, whose name starts with prefix (letters
  // in either case); -1 when there is none.
  int FindName(std::string_view prefix, int start) const;
  // Row i takes what row order[i] held; order is a permutation of the rows.
  void Reorder(const std::vector<std::size_t>& order);
  // Removes the given rows (ascending, each once); the others keep their order.
  void Remove(const std::vector<int>& rows);

 private:
  // A row's cells one after another, with where each ends: one allocation per row.
  struct Row {
    std::string text;
    std::array<std::uint32_t, kColumnCount> end;
  };
  bool Has(int row, int column) const { return row >= 0 && row < Count() && column >= 0 && column < kColumnCount; }
  std::vector<Row> rows_;
};
