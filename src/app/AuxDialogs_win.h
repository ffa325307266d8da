#pragma once
#include <windows.h>

// The shell's folder picker, opening on the folder in buffer (kPathSize bytes); OK writes the path there.
void BrowseForFolder(HWND owner, char* buffer);
// The colour dialog for the main window's background.
void ChooseBackgroundColor();
void AboutDialog(HWND owner);
void ShowHelp(HWND owner);
