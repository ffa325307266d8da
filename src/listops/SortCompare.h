#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Numeric value of a size cell ("   1234"); false when the text is not a plain number.
// Signed: older exports wrote sizes of 2 GiB and more as negative numbers ("-1294967296").
bool ParseSizeCell(const std::string& text, long long& value);

// The stable order of rows by their keys: result[k] is the current index of the row that goes
// to position k. Equal keys keep their current order in both directions.
std::vector<std::size_t> SortedRowOrder(int column, const std::vector<std::string>& keys,
                                        bool descending);
