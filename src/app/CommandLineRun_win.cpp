#include "app/CommandLineRun_win.h"

#include <shellapi.h>

#include "app/CommandLine.h"
#include "common/Handles_win.h"
#include "listops/CsvExport_win.h"
#include "scan/FileList_win.h"
#include "scan/NativeFileSystem_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

namespace {

// Text to the console or file the run was started from. A program without a console of its own
// writes where its parent pointed its standard handles, else to its parent's console, if any.
void Tell(DWORD stream, const std::string& text) {
  HANDLE out = GetStdHandle(stream);
  FileHandle console;
  if (!out || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console.Reset(CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    if (!console.Valid()) return;
    out = console.Get();
  }
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    // A console shows the characters whatever its own code page.
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  }
}

void TellProblem(const std::string& problem) { Tell(STD_ERROR_HANDLE, "FILORA: " + problem + "\r\n"); }

bool IsFolder(const char* path) {
  const NativeFileSystem native;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CopyValue(const std::string& value, char (&buffer)[kPathSize]) { lstrcpynA(buffer, value.c_str(), kPathSize); }

// The window's own scan and export, on hidden controls that no one sees or finds: a window of
// the program's class would be found by a FILORA started meanwhile and shown instead of its own.
int RunListing(HINSTANCE instance, const CommandLine& command, const char* iniPath) {
  LoadSettings(iniPath);
  if (command.folder) CopyValue(*command.folder, settings.folder);
  if (command.filter) CopyValue(*command.filter, settings.filter);
  if (command.subfolders) settings.includeSubfolders = *command.subfolders;
  settings.clearFirst = 1;
  settings.autoWidth = 0;  // nobody sees the widths
  if (!settings.folder[0]) {
    TellProblem(kNoFolderText);
    return kListingNoFolder;
  }
  if (!IsFolder(settings.folder)) {
    TellProblem(std::string("フォルダがありません: ") + settings.folder);
    return kListingNoFolder;
  }
  const OwnedWindow owner(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
  HWND folderBox = owner.Valid() ? CreateWindowExA(0, "EDIT", settings.folder, WS_CHILD, 0, 0, 0, 0, owner.Get(),
                                                   nullptr, instance, nullptr)
                                 : nullptr;
  HWND list = owner.Valid() ? CreateFileList(owner.Get(), instance) : nullptr;
  if (!folderBox || !list) {
    // Under Wine, say, without a display to make windows on.
    TellProblem("一覧を作成できませんでした。");
    return kListingIncomplete;
  }
  const ScanWindows windows = {owner.Get(), folderBox, list, nullptr, [](bool) {}, true};
  if (StartScan(windows) == ScanEnd::ListFull) {
    TellProblem(kListFullText);
    return kListingIncomplete;
  }
  if (!WriteListAsCsv(list, command.save.c_str())) {
    TellProblem("ファイルに保存できませんでした。 " + command.save);
    return kListingNotWritten;
  }
  return kListingSaved;
}

}  // namespace

bool CommandLineArguments(std::vector<std::string>& args) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return false;
  bool whole = true;
  for (int i = 1; i < count; ++i) {
    const int length = lstrlenW(wide[i]);
    BOOL lost = FALSE;
    std::string arg(WideCharToMultiByte(CP_ACP, 0, wide[i], length, nullptr, 0, nullptr, nullptr), '\0');
    arg.resize(WideCharToMultiByte(CP_ACP, 0, wide[i], length, &arg[0], static_cast<int>(arg.size()), nullptr, &lost));
    whole = whole && !lost;
    args.push_back(arg);
  }
  LocalFree(wide);
  return whole;
}

int RunCommandLine(HINSTANCE instance, const std::vector<std::string>& args, bool whole, const char* iniPath) {
  // A character the code page lacks would come as '?', a wildcard in a filter and in no path.
  const CommandLine command = whole ? ParseCommandLine(args) : RefusedCommandLine("引数に表せない文字があります");
  switch (command.action) {
    case CommandLine::Action::Window: return kListingSaved;
    case CommandLine::Action::Usage: Tell(STD_OUTPUT_HANDLE, CommandLineUsage()); return kListingSaved;
    case CommandLine::Action::Refused:
      TellProblem(command.problem);
      Tell(STD_ERROR_HANDLE, CommandLineUsage());
      return kListingBadArguments;
    case CommandLine::Action::Listing: break;
  }
  return RunListing(instance, command, iniPath);
}
