#pragma once
#include <cstddef>
#include <string_view>

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC start a two-byte character.
bool IsLeadByte932(unsigned char b);

// The length of the longest start of text within room bytes that splits no character.
std::size_t WholeCharPrefix932(std::string_view text, std::size_t room);
