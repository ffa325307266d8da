#pragma once
#include <windows.h>

#include "common/Limits.h"

// Asks for a file name and type and writes every row as a line of quoted, comma-separated cells.
// Tells the user when the file could not be written.
void SaveListAsCsv(HWND owner, HWND list);

// The export's text: code page 932, with '?' for each character of a name that code page lacks,
// or UTF-8 after a byte-order mark, every name whole.
enum class CsvEncoding { Cp932, Utf8 };

// "ファイルに保存できませんでした。\r\n", before the path.
extern const char kNotSavedText[];

// A name and a type chosen in the Save dialog, proposed again at the next use.
struct SaveChoice {
  wchar_t path[kPathSize] = L"";
  DWORD type = 1;  // of the Save dialog's types, from 1
};
// The Save dialog with the export's types; false when cancelled.
bool AskSaveAs(HWND owner, SaveChoice& choice);
CsvEncoding EncodingOf(const SaveChoice& choice);

// A row's cells as the export writes them, into cells[0] to cells[kColumnCount - 1].
void ReadRowAs(HWND list, int row, CsvEncoding encoding, std::string* cells);

// Writes every row of the list to path, replacing the file once all are written. False, leaving
// an existing file as it was, when the rows could not all be written there.
bool WriteListAsCsv(HWND list, const wchar_t* path, CsvEncoding encoding);
