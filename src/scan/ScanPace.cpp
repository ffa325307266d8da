#include "scan/ScanPace.h"

bool IntervalPassed(std::uint32_t now, std::uint32_t since, std::uint32_t interval) {
  return static_cast<std::uint32_t>(now - since) >= interval;
}

bool ViewIsFull(int topIndex, int perPage, int rows) { return topIndex + perPage < rows; }
