#include "scan/PathJoin.h"

#include <gtest/gtest.h>

#include <cstring>

// 表 and ソ end in 0x5C; 0x95 0x81 is a pair whose trail byte is itself in the lead range.
#define HYOU "\x95\x5C"
#define SO "\x83\x5C"

// What a call leaves in the buffer, or "refused" when it says no and leaves the buffer as it was.
template <typename Call> static std::string Outcome(Call call) {
  char buf[kPathSize];
  std::memset(buf, '~', kPathSize - 1);  // no stray NUL to end a result that lacks its own
  buf[kPathSize - 1] = '\0';
  if (call(buf)) return buf;
  return buf == std::string(kPathSize - 1, '~') ? "refused" : "refused, but wrote " + std::string(buf);
}

TEST(EndsWithBackslash932, WalksFromTheStartSoA5CTrailByteIsNoSeparator) {
  const struct { const char* text; bool expected; } cases[] = {
      {"C:\\data\\", true}, {"C:\\data", false}, {"", false}, {nullptr, false}, {"C:\\" HYOU, false},
      {"C:\\" SO, false}, {"C:\\" HYOU "\\", true}, {"\xB1\\", true}, {"\x95\x81\\", true}, {"C:\\\x95", false}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, EndsWithBackslash932(c.text)) << (c.text ? c.text : "null");
}

TEST(MakeDirWithBackslash, AddsSeparatorAfterTrailByte5CAndRefuses260) {
  const std::string a258(258, 'a');
  const struct { std::string folder, expected; } cases[] = {
      {"C:\\data", "C:\\data\\"}, {"C:\\data\\", "C:\\data\\"}, {"C:\\" HYOU, "C:\\" HYOU "\\"},
      {a258, a258 + "\\"}, {a258 + "\\", a258 + "\\"}, {a258 + "a", "refused"}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, Outcome([&](auto& dir) { return MakeDirWithBackslash(dir, c.folder.c_str()); })) << c.folder;
}

TEST(JoinPath, Joins259BytesRefuses260AndLeavesOutUntouched) {
  const std::string d200(200, 'd'), d259(259, 'd');
  const struct { std::string dir, name, expected; } cases[] = {
      {"C:\\" HYOU "\\", SO ".doc", "C:\\" HYOU "\\" SO ".doc"}, {"C:\\\x95", "x", "C:\\\x95x"},
      {d200, std::string(59, 'n'), d200 + std::string(59, 'n')}, {d200, std::string(60, 'n'), "refused"},
      {d259, "", d259}, {d259 + "d", "", "refused"}, {std::string(300, 'd'), "x", "refused"}};
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, Outcome([&](auto& out) { return JoinPath(out, c.dir.c_str(), c.name.c_str()); })) << c.dir;
}

TEST(AncestorFolders932, EverySingleByteBackslashEndsOneShortestFirst) {
  const struct { const char* dir; std::vector<std::string> expected; } cases[] = {
      {"C:\\a\\" HYOU "\\b\\", {"C:\\", "C:\\a\\", "C:\\a\\" HYOU "\\", "C:\\a\\" HYOU "\\b\\"}},
      {"C:\\" SO "\\b", {"C:\\", "C:\\" SO "\\"}}, {"C:\\" HYOU, {"C:\\"}}, {"C:\\a\\\x95", {"C:\\", "C:\\a\\"}},
      {"C:\\\x95\x81\\", {"C:\\", "C:\\\x95\x81\\"}}, {"", {}}, {nullptr, {}},
      {"\\\\srv\\s\\", {"\\", "\\\\", "\\\\srv\\", "\\\\srv\\s\\"}}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, AncestorFolders932(c.dir)) << (c.dir ? c.dir : "null");
}
