#pragma once
#include <windows.h>

// The shell's folder picker, opening on the folder in buffer (kPathSize bytes); OK writes the path there.
void BrowseForFolder(HWND owner, wchar_t* buffer);
int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM lParam, LPARAM lpData);
// The colour dialog for the owner's background colour, settings.color.
void ChooseBackgroundColor(HWND owner);
void AboutDialog(HINSTANCE instance, HWND owner);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowHelp(HWND owner);
