#pragma once
#include <optional>
#include <string>
#include <vector>

// FILORA.EXE [/compare EARLIER [/oldfolder FOLDER]] /save OUTPUT [/folder FOLDER] [/filter PATTERNS]
// [/subfolders 0|1] [/utf8]: a listing taken without a window, for batch files and scheduled tasks,
// or what changed since an earlier listing. Switches start with '/' or '-', in any case.
struct CommandLine {
  enum class Action {
    Window,   // no arguments: the window as always
    Usage,    // "/?": the usage, and nothing wrong
    Listing,  // scan and save
    Refused,  // arguments not understood or too long: problem says which, then the usage
  };
  Action action = Action::Window;
  // The argument that holds each value, -1 when it is not given (the settings file has it).
  int save = -1, folder = -1, filter = -1;
  int compare = -1, oldFolder = -1;  // the earlier listing and its folder (the folder scanned if none)
  std::optional<bool> subfolders;
  bool utf8 = false;  // the output in UTF-8
  std::string problem;
};

// One argument after the program's name, as the platform splits a command line, in code page 932.
struct CommandArgument {
  std::string text;   // '?' for each character code page 932 lacks
  bool lost = false;  // text is not the argument as typed
};

// Files and folders may have names of any kind: the caller takes them as typed. A filter or a
// switch with a character code page 932 lacks is refused: as '?' it would be a wildcard.
CommandLine ParseCommandLine(const std::vector<CommandArgument>& args);

// What an unattended run ends with.
enum ListingExit {
  kListingSaved = 0,
  kListingBadArguments = 1,
  kListingNoFolder = 2,      // the folder is empty, missing or not a folder
  kListingNotWritten = 3,    // the output could not be written
  kListingIncomplete = 4,    // no room for every row, or no list to hold them: nothing saved
  kListingDifferent = 5,     // the differences were saved, and there are some
  kListingEarlierUnreadable = 6,  // the earlier listing cannot be read or is no FILORA listing: nothing saved
};

// The usage text, lines ended by CR LF.
std::string CommandLineUsage();
