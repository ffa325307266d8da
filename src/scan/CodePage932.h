#pragma once
#include <cstddef>

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC start a two-byte character.
bool IsLeadByte932(unsigned char b);

// Length of the longest prefix of s[0..len) that ends on a whole character.
std::size_t WholeCharPrefix932(const char* s, std::size_t len);
