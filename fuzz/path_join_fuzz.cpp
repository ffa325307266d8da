// EndsWithBackslash932, MakeDirWithBackslash and JoinPath: bounded, whole characters, exact bytes.
#include "FuzzSupport.h"
#include "common/CodePage932.h"
#include "scan/PathJoin.h"

namespace {

bool IsWhole(const std::string& s) { return WholeCharPrefix932(s.data(), s.size()) == s.size(); }

void Fill(char (&buf)[kPathSize]) {
  std::memset(buf, 0x7E, sizeof buf);
  buf[kPathSize - 1] = '\0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> fields = FuzzReader(data, size).Fields();
  const std::string folder = fields[0];
  const std::string name = fields.size() > 1 ? fields[1] : std::string();

  // A trailing 0x5C counts only when the bytes before it end on a whole character.
  const bool ends = EndsWithBackslash932(folder.c_str());
  if (IsWhole(folder)) {
    const bool expected = !folder.empty() && folder.back() == '\\' &&
                          WholeCharPrefix932(folder.data(), folder.size() - 1) == folder.size() - 1;
    FUZZ_CHECK(ends == expected);
  } else {
    FUZZ_CHECK(!ends);  // ends in a lead byte without its trail
  }

  char dir[kPathSize];
  Fill(dir);
  const std::string canary(dir);
  const std::size_t needed = folder.size() + (ends ? 0 : 1);
  if (MakeDirWithBackslash(dir, folder.c_str())) {
    const std::string made(dir);
    FUZZ_CHECK(needed <= kPathSize - 1);
    FUZZ_CHECK(made.size() == needed);
    FUZZ_CHECK(made.compare(0, folder.size(), folder) == 0);
    FUZZ_CHECK(made.back() == '\\');
    if (IsWhole(folder)) {
      FUZZ_CHECK(IsWhole(made));
      FUZZ_CHECK(EndsWithBackslash932(dir));
      char again[kPathSize];
      FUZZ_CHECK(MakeDirWithBackslash(again, dir));
      FUZZ_CHECK(made == again);
    }
  } else {
    FUZZ_CHECK(needed > kPathSize - 1);
    FUZZ_CHECK(canary == dir);
  }

  char out[kPathSize];
  Fill(out);
  if (JoinPath(out, folder.c_str(), name.c_str())) {
    FUZZ_CHECK(folder.size() + name.size() <= kPathSize - 1);
    FUZZ_CHECK(folder + name == out);
  } else {
    FUZZ_CHECK(folder.size() + name.size() > kPathSize - 1);
    FUZZ_CHECK(canary == out);
  }
  return 0;
}
