#pragma once
#include <windows.h>

#include "listops/CsvExport_win.h"
#include "listops/ListingCompare.h"

enum class CompareEnd { Saved, EarlierUnreadable, NotWritten };

struct CompareResult {
  CompareEnd end = CompareEnd::Saved;
  int line = 0;  // the earlier listing's first wrong line; 0 when it could not be read at all
  ChangeCounts counts;
};

// Compares the list, scanned from folder, with the earlier listing at earlier, made of
// earlierFolder, and writes a line for each file added, changed or gone to path: the state, the
// file's 17 cells and the headers of the columns that changed. The file takes the place of one at
// path only once whole; nothing is written when the earlier listing cannot be read.
CompareResult WriteDifferences(HWND list, const wchar_t* folder, const wchar_t* earlier, const wchar_t* earlierFolder,
                               const wchar_t* path, CsvEncoding encoding);

// The menu's comparison: asks for the earlier listing and the file to write, compares the list
// (scanned from folder) with it, and says what it found.
void CompareAndSave(HWND owner, HWND list, const wchar_t* folder);
