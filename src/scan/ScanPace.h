#pragma once
#include <cstdint>

// Whether interval milliseconds have passed from since to now, on a tick counter that wraps
// after 49.7 days.
bool IntervalPassed(std::uint32_t now, std::uint32_t since, std::uint32_t interval);

// Whether rows appended to a list now stay out of its view: even the row cut off at the bottom
// of the view (topIndex + perPage) is there already.
bool ViewIsFull(int topIndex, int perPage, int rows);
