#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/ColumnTable.h"

// 0 not sorted since the last scan, 1 ascending, 2 descending.
extern int sortState[kColumnCount];

// The list view with its 17 columns, widths from columnWidths. The rows are held here, not by
// the control; it asks its parent, in UTF-16, for the cells it shows and for the row whose name
// the user types, and the parent passes each WM_NOTIFY to AnswerListRequest.
HWND CreateFileList(HWND parent, HINSTANCE instance);
// True when the notification was such a question, answered: the parent returns answer.
bool AnswerListRequest(NMHDR* header, LRESULT& answer);

// Inserts the row of one file at index with its name in column 0. False when there is no room
// for another row.
bool InsertFileRow(HWND list, int index, const char* name);
// Cells hold code page 932 text; a row whose name or path that code page cannot write (its cells
// show '?' there) is given its real path as well.
void SetCellText(HWND list, int row, int column, const char* text);
void SetRealPath(HWND list, int row, const wchar_t* path);
// Whether the row's code page 932 cells are not all of its real text.
bool HasRealPath(HWND list, int row);
int RowCount(HWND list);
void ClearFileList(HWND list);

// The whole text of a cell: in code page 932, or as it really is (UTF-16): the name and the path
// as the disk holds them.
void ReadCellText(HWND list, int row, int column, std::string& text);
void ReadCellText(HWND list, int row, int column, std::wstring& text);
// Every cell of a row in code page 932, into cells[0] to cells[kColumnCount - 1].
void ReadRowText(HWND list, int row, std::string* cells);

// Top to bottom.
std::vector<int> SelectedRows(HWND list);
// -1 when there is none.
int FirstSelectedRow(HWND list);
int FocusedRow(HWND list);
bool RowSelected(HWND list, int row);
// Every row at once, however many.
void SelectAllRows(HWND list);
// Row i takes what row order[i] held (a permutation); selection and focus go with their rows.
void ReorderRows(HWND list, const std::vector<std::size_t>& order);
// Removes the given rows (ascending, each once); no row is left selected, and a focused row that
// stays keeps the focus.
void RemoveRows(HWND list, const std::vector<int>& rows);
