#pragma once
#include <windows.h>

#include "common/Handles_win.h"

// The row menu, for WM_CONTEXTMENU on the list: where is its lParam (the pointer's screen place,
// or -1 for a key, which puts the menu at the focused row). Open the file's folder, copy, copy the
// paths, select all, the file's properties; the items that need a row are greyed when none is
// selected. It neither opens nor removes rows.
void ShowRowMenu(HINSTANCE instance, HWND owner, HWND list, LPARAM where);

// The menu bar whose one popup is the row menu, its items greyed for the list as it is; row: the
// row its file items act on, -1 when none.
OwnedMenu LoadRowMenu(HINSTANCE instance, HWND list, int& row);

// The shell's file browser on the folder that holds the file, with the file selected; the folder
// alone when the file is gone.
void OpenFolderOf(HWND owner, const wchar_t* path);

// The shell's properties sheet of the file.
void ShowPropertiesOf(HWND owner, const wchar_t* path);
