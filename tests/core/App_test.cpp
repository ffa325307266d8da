#include <gtest/gtest.h>

#include "app/CommandLine.h"

// What each command line asks for: the action, then save|folder|filter|subfolders, "-" for a value
// not given; a refusal's problem is not repeated here, only that there is one.
static std::string Summary(const CommandLine& c) {
  const char* actions[] = {"window", "usage", "listing", "refused"};
  std::string s = actions[static_cast<int>(c.action)];
  if (c.action == CommandLine::Action::Refused) return s + (c.problem.empty() ? " without a reason" : "");
  if (c.action != CommandLine::Action::Listing) return s;
  return s + " " + c.save + "|" + c.folder.value_or("-") + "|" + c.filter.value_or("-") + "|" +
         (c.subfolders ? (*c.subfolders ? "1" : "0") : "-");
}

TEST(ParseCommandLine, SwitchesInAnyCaseWithSlashOrDashEachOnceWithAValueWithinTheBuffers) {
  using Args = std::vector<std::string>;
  const std::string longest(259, 'x'), tooLong(260, 'x');
  const struct { Args args; std::string expected; } cases[] = {
      {{}, "window"}, {{"/?"}, "usage"}, {{"-?"}, "usage"}, {{"/save", "out.csv"}, "listing out.csv|-|-|-"},
      {{"-SAVE", "a b.csv", "/Folder", "C:\\表", "/FILTER", "*.exe; *.dll", "-subfolders", "0"},
       "listing a b.csv|C:\\表|*.exe; *.dll|0"},
      {{"/subfolders", "1", "/save", "o"}, "listing o|-|-|1"},
      {{"/save", "o", "/folder", ""}, "listing o||-|-"},  // an empty folder is the run's to refuse
      {{"/save", "o", "/filter", ""}, "listing o|-||-"},  // an empty filter lists everything, as in the window
      {{"/save", longest, "/folder", longest, "/filter", longest}, "listing " + longest + "|" + longest + "|" + longest + "|-"},
      {{"/save", tooLong}, "refused"}, {{"/save", "o", "/folder", tooLong}, "refused"},
      {{"/save", "o", "/filter", std::string(5000, '*')}, "refused"}, {{std::string(5000, '/')}, "refused"},
      {{"/folder", "C:\\"}, "refused"}, {{"/save"}, "refused"}, {{"/save", ""}, "refused"},
      {{"/save", "a", "/save", "b"}, "refused"}, {{"/save", "o", "/subfolders", "yes"}, "refused"},
      {{"/save", "o", "/subfolders", "01"}, "refused"}, {{"/save", "o", "extra"}, "refused"}, {{"save", "o"}, "refused"},
      {{"/", "o"}, "refused"}, {{"/?", "/save", "o"}, "refused"}, {{"C:\\dropped folder"}, "refused"},
      {{"/save:o.csv"}, "refused"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, Summary(ParseCommandLine(c.args))) << ::testing::PrintToString(c.args).substr(0, 80);
}
