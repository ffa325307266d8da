#pragma once
#include <windows.h>

// Delete removes the selected rows, Enter opens their files; other keys do nothing.
void OnListKeyDown(WORD virtualKey);
// Removes exactly the selected rows from the list; the others keep their order and tags.
void DeleteSelectedRows(HWND list);
void OpenSelectedRows();

// Takes the place of ShellExecuteA in OpenSelectedRows; nullptr puts ShellExecuteA back.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetShellOpenForTest(ShellExecuteFunction open);
