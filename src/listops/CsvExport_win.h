#pragma once
#include <windows.h>

// Asks for a file name and writes every row as a line of quoted, comma-separated cells.
// Tells the user when the file could not be written.
void SaveListAsCsv(HWND owner, HWND list);

// Writes every row of the list to path, replacing the file once all are written. False, leaving
// an existing file as it was, when the rows could not all be written there.
bool WriteListAsCsv(HWND list, const char* path);
