#pragma once
#include <string>
#include <vector>

// Whether the file may carry version data, by its first bytes; true when it cannot be read here.
bool FileMayHoldVersionData(const wchar_t* path);

// The eight strings of the file's version resource in the order of kVersionKeys, in code page 932
// as the platform's ANSI calls give them; " " for every string the file does not have.
std::vector<std::string> ReadVersionStrings(const wchar_t* path);
