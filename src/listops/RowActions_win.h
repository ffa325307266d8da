#pragma once
#include <windows.h>

// Removes the selected rows from the list; the files stay where they are.
void DeleteSelectedRows(HWND list);

// Opens every selected row's file with its program, top to bottom, through open (ShellExecuteA).
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void OpenSelectedRows(HWND owner, HWND list, ShellOpenFunction open);
