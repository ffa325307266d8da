#pragma once
#include <optional>
#include <string>
#include <vector>

// FILORA.EXE /save OUTPUT [/folder FOLDER] [/filter PATTERNS] [/subfolders 0|1]: a listing taken
// without a window, for batch files and scheduled tasks. Switches start with '/' or '-', in any case.
struct CommandLine {
  enum class Action {
    Window,   // no arguments: the window as always
    Usage,    // "/?": the usage, and nothing wrong
    Listing,  // scan and save
    Refused,  // arguments not understood or too long: problem says which, then the usage
  };
  Action action = Action::Window;
  std::string save;                   // the output file
  std::optional<std::string> folder;  // what is not given comes from the settings file
  std::optional<std::string> filter;
  std::optional<bool> subfolders;
  std::string problem;
};

// The arguments after the program's name, as the platform splits a command line.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
// Arguments refused for a reason found before they were read.
CommandLine RefusedCommandLine(std::string problem);

// What an unattended run ends with.
enum ListingExit {
  kListingSaved = 0,
  kListingBadArguments = 1,
  kListingNoFolder = 2,      // the folder is empty, missing or not a folder
  kListingNotWritten = 3,    // the output could not be written
  kListingIncomplete = 4,    // no room for every row, or no list to hold them: nothing saved
};

// The usage text, lines ended by CR LF.
std::string CommandLineUsage();
