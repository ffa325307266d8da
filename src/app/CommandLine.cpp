#include "app/CommandLine.h"

#include "common/CodePage932.h"
#include "common/Limits.h"

namespace {

// The switch name without its '/' or '-', in lower case; "" when the argument is no switch.
std::string SwitchName(const std::string& arg) {
  if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return "";
  std::string name = arg.substr(1);
  for (char& c : name) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return name;
}

// The switches followed by a value that is kept as an argument: a file or folder name, which may
// hold characters code page 932 lacks, or a text, which may not.
struct ValueSwitch {
  const char* name;
  int CommandLine::*argument;
  bool anyName;
};
constexpr ValueSwitch kValueSwitches[] = {
    {"save", &CommandLine::save, true},       {"folder", &CommandLine::folder, true},
    {"filter", &CommandLine::filter, false},  {"compare", &CommandLine::compare, true},
    {"oldfolder", &CommandLine::oldFolder, true}};

const ValueSwitch* FindValueSwitch(const std::string& name) {
  for (const ValueSwitch& s : kValueSwitches) {
    if (name == s.name) return &s;
  }
  return nullptr;
}

CommandLine Refused(std::string problem) {
  CommandLine refused;
  refused.action = CommandLine::Action::Refused;
  refused.problem = std::move(problem);
  return refused;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<CommandArgument>& args) {
  CommandLine command;
  if (args.empty()) return command;
  if (args.size() == 1 && SwitchName(args[0].text) == "?") {
    command.action = CommandLine::Action::Usage;
    return command;
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i].text;
    const std::string name = SwitchName(arg);
    if (name == "utf8") {
      if (command.utf8) return Refused(arg + " が二度あります");
      command.utf8 = true;
      continue;
    }
    const ValueSwitch* const kept = FindValueSwitch(name);
    // Only the start of an argument that is not understood is repeated: it may be very long.
    if (!kept && name != "subfolders")
      return Refused("引数が正しくありません: " + arg.substr(0, WholeCharPrefix932(arg, 40)));
    if (i + 1 == args.size()) return Refused(arg + " の後に値がありません");
    const CommandArgument& value = args[++i];
    // The window keeps these in buffers of kPathSize bytes; a longer value is refused, not cut.
    if (value.text.size() > kPathSize - 1)
      return Refused(arg + " の値が " + std::to_string(kPathSize - 1) + " バイトを超えています");
    if (kept ? command.*kept->argument >= 0 : command.subfolders.has_value()) return Refused(arg + " が二度あります");
    if (value.lost && !(kept && kept->anyName)) return Refused("引数に表せない文字があります");
    if (kept && kept->argument == &CommandLine::save && value.text.empty())
      return Refused(arg + " の後にファイル名がありません");
    if (kept) {
      command.*kept->argument = static_cast<int>(i);
    } else if (value.text == "0" || value.text == "1") {
      command.subfolders = value.text == "1";
    } else {
      return Refused(arg + " の値は 0 か 1 です");
    }
  }
  if (command.save < 0) return Refused("/save がありません");
  if (command.oldFolder >= 0 && command.compare < 0) return Refused("/oldfolder は /compare と共に使います");
  command.action = CommandLine::Action::Listing;
  return command;
}

std::string CommandLineUsage() {
  return "FILORA.EXE [/compare 以前の一覧 [/oldfolder フォルダ]] /save 出力ファイル [/folder フォルダ]\r\n"
         "           [/filter パターン] [/subfolders 0|1] [/utf8]\r\n"
         "  ウィンドウを開かずにフォルダを検索し、一覧を保存します。省略した値は FILORA.INI から取ります。\r\n"
         "  /compare: 以前の一覧と比べ、追加・変更・削除されたファイルを保存します。\r\n"
         "  /utf8: UTF-8 で保存します (既定はシフト JIS)。\r\n"
         "  終了コード: 0 保存した  1 引数の誤り  2 フォルダがない  3 保存できない  4 一覧が作れない\r\n"
         "              5 差分を保存した  6 以前の一覧が読めない\r\n";
}
