#pragma once
#include <windows.h>

// Puts the selected rows on the clipboard, top to bottom, for a spreadsheet or an editor: a line
// of the column titles, then a line per row, cells separated by tabs. False, leaving the
// clipboard as it was, when no row is selected or the clipboard cannot be had.
bool CopySelectedRows(HWND owner, HWND list);

// Puts the full paths of the selected rows on the clipboard, one per line; false as above.
bool CopySelectedPaths(HWND owner, HWND list);
