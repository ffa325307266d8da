#include "app/CommandLineRun_win.h"

#include <shellapi.h>

#include "app/CommandLine.h"
#include "common/Handles_win.h"
#include "common/TextConvert_win.h"
#include "listops/CompareExport_win.h"
#include "listops/CsvExport_win.h"
#include "scan/FileList_win.h"
#include "scan/NativeFileSystem_win.h"
#include "scan/ScanDriver_win.h"
#include "settings/SettingsFile_win.h"

namespace {

// Text to the console or file the run was started from. A program without a console of its own
// writes where its parent pointed its standard handles, else to its parent's console, if any.
void Tell(DWORD stream, const std::wstring& text) {
  HANDLE out = GetStdHandle(stream);
  FileHandle console;
  if (!out || out == INVALID_HANDLE_VALUE) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console.Reset(CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr));
    if (!console.Valid()) return;
    out = console.Get();
  }
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(out, &mode)) {
    // A console shows the characters whatever its own code page.
    WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  } else {
    const std::string ansi = NameTo932(text);
    WriteFile(out, ansi.data(), static_cast<DWORD>(ansi.size()), &written, nullptr);
  }
}

void TellProblem(const std::wstring& problem) { Tell(STD_ERROR_HANDLE, L"FILORA: " + problem + L"\r\n"); }
void TellProblem(const std::string& problem) { TellProblem(WideFrom932(problem)); }

bool IsFolder(const wchar_t* path) {
  const NativeFileSystem native;
  const DWORD attributes = GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The differences of the list from an earlier listing, saved; one line says what they are.
int SaveDifferences(HWND list, const CommandLine& command, const std::vector<std::wstring>& args, CsvEncoding encoding) {
  const std::wstring &earlier = args[command.compare], &save = args[command.save];
  // Two machines' copies of a tree, or two releases side by side, are compared by relative paths.
  const wchar_t* earlierFolder = command.oldFolder >= 0 ? args[command.oldFolder].c_str() : settings.folder;
  const CompareResult result = WriteDifferences(list, settings.folder, earlier.c_str(), earlierFolder, save.c_str(), encoding);
  switch (result.end) {
    case CompareEnd::EarlierUnreadable:
      TellProblem(WideFrom932(EarlierUnreadableText(result.line) + ": ") + earlier);
      return kListingEarlierUnreadable;
    case CompareEnd::NotWritten: TellProblem(WideFrom932("ファイルに保存できませんでした。 ") + save); return kListingNotWritten;
    case CompareEnd::Saved: break;
  }
  Tell(STD_OUTPUT_HANDLE, L"FILORA: " + save + L" " + WideFrom932(ChangeCountsText(result.counts)) + L"\r\n");
  return result.counts.Total() > 0 ? kListingDifferent : kListingSaved;
}

// The window's own scan and export, on hidden controls that no one sees or finds: a window of
// the program's class would be found by a FILORA started meanwhile and shown instead of its own.
int RunListing(HINSTANCE instance, const CommandLine& command, const std::vector<std::wstring>& args,
               const std::vector<CommandArgument>& ansi, const wchar_t* iniPath) {
  LoadSettings(iniPath);
  if (command.folder >= 0) lstrcpynW(settings.folder, args[command.folder].c_str(), kPathSize);
  if (command.filter >= 0) lstrcpynA(settings.filter, ansi[command.filter].text.c_str(), kPathSize);
  if (command.subfolders) settings.includeSubfolders = *command.subfolders;
  settings.clearFirst = 1;
  settings.autoWidth = 0;  // nobody sees the widths
  if (!settings.folder[0]) {
    TellProblem(kNoFolderText);
    return kListingNoFolder;
  }
  if (!IsFolder(settings.folder)) {
    TellProblem(WideFrom932("フォルダがありません: ") + settings.folder);
    return kListingNoFolder;
  }
  const OwnedWindow owner(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
  HWND folderBox = owner.Valid() ? CreateWindowExW(0, L"EDIT", settings.folder, WS_CHILD, 0, 0, 0, 0, owner.Get(),
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
  const std::wstring& save = args[command.save];
  const CsvEncoding encoding = command.utf8 ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
  if (command.compare >= 0) return SaveDifferences(list, command, args, encoding);
  if (!WriteListAsCsv(list, save.c_str(), encoding)) {
    TellProblem(WideFrom932("ファイルに保存できませんでした。 ") + save);
    return kListingNotWritten;
  }
  return kListingSaved;
}

}  // namespace

std::vector<std::wstring> CommandLineArguments() {
  std::vector<std::wstring> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.emplace_back(wide[i]);
  LocalFree(wide);
  return args;
}

int RunCommandLine(HINSTANCE instance, const std::vector<std::wstring>& args, const wchar_t* iniPath) {
  std::vector<CommandArgument> ansi(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) ansi[i].text = NameTo932(args[i], &ansi[i].lost);
  const CommandLine command = ParseCommandLine(ansi);
  switch (command.action) {
    case CommandLine::Action::Window: return kListingSaved;
    case CommandLine::Action::Usage: Tell(STD_OUTPUT_HANDLE, WideFrom932(CommandLineUsage())); return kListingSaved;
    case CommandLine::Action::Refused:
      TellProblem(command.problem);
      Tell(STD_ERROR_HANDLE, WideFrom932(CommandLineUsage()));
      return kListingBadArguments;
    case CommandLine::Action::Listing: break;
  }
  return RunListing(instance, command, args, ansi, iniPath);
}
