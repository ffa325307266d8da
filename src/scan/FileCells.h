#pragma once
#include <cstdint>
#include <string>

struct CalendarTime {
  int year, month, day, hour, minute, second;
};

// Exact byte count, right-aligned in 10 characters (wider when it has more digits).
std::string FormatSize(std::uint64_t size);

// "(不明)" when the time is unset; otherwise "YYYY-MM-DD hh:mm:ss" or "YYYY-MM-DD".
std::string FormatFileTime(bool isSet, const CalendarTime& local, bool withTimeOfDay);

// Letters S, H, R, A in that order; " " when none applies.
std::string FormatAttributes(std::uint32_t attributes);

// The 8.3 name, or " " when the platform reports none.
std::string ShortNameCell(const char* alternateName);

// The key under which a scan keeps a file's type name: the name from its last dot on ("" without
// a dot). The shell's answer depends on nothing else, case included.
std::wstring TypeNameKey(const wchar_t* name);
