#pragma once
#include <string>
#include <string_view>

// Code page 932 is the form of FILORA's own texts, of its rows and of its default export; names
// from the disk are UTF-16. A name reaches code page 932 only through NameTo932, never by best fit:
// a look-alike ('é' as 'e', '¥' as '\') could name another file, so a character the code page
// lacks becomes '?', which no file name holds.
std::string NameTo932(std::wstring_view text, bool* lost = nullptr);
// Text that names no file (a type name, a version string), as the platform's ANSI calls give it.
std::string TextTo932(std::wstring_view text);
std::wstring WideFrom932(std::string_view text);
// Into out, at most room characters; returns how many were written (0 when they do not fit).
std::size_t WideFrom932(std::string_view text, wchar_t* out, std::size_t room);
std::string Utf8From(std::wstring_view text);
// Empty when text is not UTF-8.
std::wstring WideFromUtf8(std::string_view text);
