#pragma once
#include <string>
#include <vector>

// The eight strings of the file's version resource in the order of kVersionKeys; " " for every
// string the file does not have.
std::vector<std::string> ReadVersionStrings(const char* path);
