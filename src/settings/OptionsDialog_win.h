#pragma once
#include <windows.h>

// The modal options dialog: filter with its history and the three scan options.
void OptionsDialog(HWND owner);
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
