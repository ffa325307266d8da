#pragma once
#include <string>

// "%d/%d件" in code page 932.
std::string FormatProgress(int count, int total);
