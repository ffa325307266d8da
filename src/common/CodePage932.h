#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC start a two-byte character.
bool IsLeadByte932(unsigned char b);

// Whether text starts with prefix, character by character, with ASCII letters in either case
// (a trail byte that reads as a letter is no letter).
bool StartsWithIgnoringCase932(std::string_view text, std::string_view prefix);

// The text with its letters in upper case, as Windows takes names in either case for one: ASCII,
// and the full-width Latin, Greek and Cyrillic letters and the Roman numerals of code page 932.
std::string UpperCase932(std::string_view text);

// The length of the longest start of text within room bytes that splits no character.
std::size_t WholeCharPrefix932(std::string_view text, std::size_t room);

// Text of bytes below 0x80 only: the same in code page 932 and in UTF-8.
bool IsAscii(std::string_view text);
