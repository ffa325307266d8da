#include "scan/ScanText.h"

#include <cstdio>

std::string FormatProgress(int count, int total) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%d/%d件", count, total);
  return buf;
}
