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

}  // namespace

CommandLine RefusedCommandLine(std::string problem) {
  CommandLine refused;
  refused.action = CommandLine::Action::Refused;
  refused.problem = std::move(problem);
  return refused;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine command;
  if (args.empty()) return command;
  if (args.size() == 1 && SwitchName(args[0]) == "?") {
    command.action = CommandLine::Action::Usage;
    return command;
  }
  bool saveGiven = false;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string name = SwitchName(args[i]);
    const bool known = name == "save" || name == "folder" || name == "filter" || name == "subfolders";
    // Only the start of an argument that is not understood is repeated: it may be very long.
    if (!known) return RefusedCommandLine("引数が正しくありません: " + args[i].substr(0, WholeCharPrefix932(args[i], 40)));
    if (i + 1 == args.size()) return RefusedCommandLine(args[i] + " の後に値がありません");
    const std::string& value = args[i + 1];
    // The window keeps these in buffers of kPathSize bytes; a longer value is refused, not cut.
    if (value.size() > kPathSize - 1)
      return RefusedCommandLine(args[i] + " の値が " + std::to_string(kPathSize - 1) + " バイトを超えています");
    const bool repeated = (name == "save" && saveGiven) || (name == "folder" && command.folder) ||
                          (name == "filter" && command.filter) || (name == "subfolders" && command.subfolders);
    if (repeated) return RefusedCommandLine(args[i] + " が二度あります");
    if (name == "save") {
      if (value.empty()) return RefusedCommandLine(args[i] + " の後にファイル名がありません");
      command.save = value;
      saveGiven = true;
    } else if (name == "folder") {
      command.folder = value;
    } else if (name == "filter") {
      command.filter = value;
    } else if (value == "0" || value == "1") {
      command.subfolders = value == "1";
    } else {
      return RefusedCommandLine(args[i] + " の値は 0 か 1 です");
    }
  }
  if (!saveGiven) return RefusedCommandLine("/save がありません");
  command.action = CommandLine::Action::Listing;
  return command;
}

std::string CommandLineUsage() {
  return "FILORA.EXE /save 出力ファイル [/folder フォルダ] [/filter パターン] [/subfolders 0|1]\r\n"
         "  ウィンドウを開かずにフォルダを検索し、一覧を保存します。省略した値は FILORA.INI から取ります。\r\n"
         "  終了コード: 0 保存した  1 引数の誤り  2 フォルダがない  3 保存できない  4 一覧が作れない\r\n";
}
