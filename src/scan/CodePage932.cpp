#include "scan/CodePage932.h"

bool IsLeadByte932(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::size_t WholeCharPrefix932(const char* s, std::size_t len) {
  std::size_t i = 0;
  while (i < len) {
    if (IsLeadByte932(static_cast<unsigned char>(s[i]))) {
      if (i + 1 >= len) break;  // the trail byte lies beyond len
      i += 2;
    } else {
      ++i;
    }
  }
  return i;
}
