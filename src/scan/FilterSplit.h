#pragma once
#include <string>
#include <vector>

// Splits a filter on ';' without trimming; empty pieces stay. An empty filter is "*.*".
// Only the first 259 bytes of the filter are used, as a 260-byte buffer would hold them.
std::vector<std::string> SplitFilter(const char* filter);

// "*.*": every entry of a folder, files and folders alike, matches it.
bool MatchesEveryName(const std::string& pattern);
