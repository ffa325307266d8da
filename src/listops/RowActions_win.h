#pragma once
#include <windows.h>

// Removes the selected rows from the list; the files stay where they are.
void DeleteSelectedRows(HWND list);

// Opens every selected row's file by its real path with its program, top to bottom, through open
// (ShellExecuteW).
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
void OpenSelectedRows(HWND owner, HWND list, ShellOpenFunction open);
