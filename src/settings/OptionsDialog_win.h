#pragma once
#include <windows.h>

// The modal options dialog: filter with its history (kept in the settings file at iniPath) and
// the three scan options. OK takes them into settings.
void OptionsDialog(HINSTANCE instance, HWND owner, const wchar_t* iniPath);
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
