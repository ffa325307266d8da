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
// the control; it asks its parent (an ANSI window) for the cells it shows and for the row whose
// name the user types, and the parent passes each WM_NOTIFY to AnswerListRequest.
HWND CreateFileList(HWND parent, HINSTANCE instance);
// True when the notification was such a question, answered: the parent returns answer.
bool AnswerListRequest(NMHDR* header, LRESULT& answer);

// Inserts the row of one file at index with its name in column 0. False when there is no room
// for another row.
bool InsertFileRow(HWND list, int index, const char* name);
void SetCellText(HWND list, int row, int column, const char* text);
int RowCount(HWND list);
void ClearFileList(HWND list);

// The whole text of a cell, as ANSI or as UTF-16.
void ReadCellText(HWND list, int row, int column, std::string& text);
void ReadCellText(HWND list, int row, int column, std::wstring& text);

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
