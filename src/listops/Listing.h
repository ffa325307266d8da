#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/ColumnTable.h"

using ListingRow = std::array<std::string, kColumnCount>;

// A list as FILORA exported it.
struct Listing {
  bool utf8 = false;             // began with the UTF-8 byte-order mark
  std::vector<ListingRow> rows;  // in file order, quotes undoubled
};

// Reads an exported list: lines of 17 cells, each in double quotes with its quotes doubled,
// separated by commas, every line ended by CR LF; code page 932, or UTF-8 after its byte-order mark.
// On false, line is the 1-based number (lines counted by CR LF) of the line where the first record
// that is not such a line begins; on true, line is 0.
bool ReadListing(std::string_view bytes, Listing& listing, int& line);
