#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The arguments after the program's name, split as Windows programs split their command line.
std::vector<std::wstring> CommandLineArguments();

// A run given arguments: the usage, or a listing taken without a window and saved to the file the
// arguments name, the rest of the settings from the settings file at iniPath, which is never
// written. Nothing is shown; a failure is one line to the console the run was started from.
// Returns the exit code.
int RunCommandLine(HINSTANCE instance, const std::vector<std::wstring>& args, const wchar_t* iniPath);
