#pragma once
#include <windows.h>

// Asks for a file name and writes every row as a line of quoted, comma-separated cells.
// Tells the user when the file could not be written.
void SaveListAsCsv(HWND owner, HWND list);

// Writes every row of the list to path, replacing the file. False when the file could not be
// created or a write failed.
bool WriteListAsCsv(HWND list, const char* path);
