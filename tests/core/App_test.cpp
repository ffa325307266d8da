#include <gtest/gtest.h>

#include "app/CommandLine.h"

// What each command line asks for: the action, then save|folder|filter|subfolders, "-" for a value
// not given, and utf8 when asked; a refusal's problem is not repeated here, only that there is one.
// An argument written "~x" is x with a character code page 932 lacks (shown as '?').
static std::string Summary(const std::vector<std::string>& written) {
  std::vector<CommandArgument> args;
  for (const std::string& w : written) args.push_back(w[0] == '~' ? CommandArgument{w.substr(1), true} : CommandArgument{w});
  const CommandLine c = ParseCommandLine(args);
  const char* actions[] = {"window", "usage", "listing", "refused"};
  std::string s = actions[static_cast<int>(c.action)];
  if (c.action == CommandLine::Action::Refused) return s + (c.problem.empty() ? " without a reason" : "");
  if (c.action != CommandLine::Action::Listing) return s;
  const auto value = [&](int i) { return i < 0 ? std::string("-") : args[i].text; };
  return s + " " + value(c.save) + "|" + value(c.folder) + "|" + value(c.filter) + "|" +
         (c.subfolders ? (*c.subfolders ? "1" : "0") : "-") + (c.utf8 ? " utf8" : "") +
         (c.compare >= 0 ? " compare " + value(c.compare) + "|" + value(c.oldFolder) : "");
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
      {{"/save:o.csv"}, "refused"}, {{"/UTF8", "/save", "o"}, "listing o|-|-|- utf8"},
      {{"/save", "o", "-utf8", "/utf8"}, "refused"}, {{"/save", "o", "/utf8", "1"}, "refused"},
      // Names of files and folders are taken as typed; a filter with '?' for a lost character would match others.
      {{"/save", "~caf?.csv", "/folder", "~C:\\R?sum?"}, "listing caf?.csv|C:\\R?sum?|-|-"},
      {{"/save", "o", "/filter", "~caf?.txt"}, "refused"}, {{"/save", "o", "/subfolders", "~1"}, "refused"},
      {{"~/s?ve", "o"}, "refused"}, {{"/compare", "~e?.csv", "/save", "o", "/OldFolder", "~D:\\?"}, "listing o|-|-|- compare e?.csv|D:\\?"},
      {{"/save", "o", "/oldfolder", "D:\\"}, "refused"}, {{"/compare", "e", "/compare", "e", "/save", "o"}, "refused"}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, Summary(c.args)) << ::testing::PrintToString(c.args).substr(0, 80);
}
