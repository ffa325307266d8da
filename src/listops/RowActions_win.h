#pragma once
#include <windows.h>

// Delete removes the selected rows, Enter opens their files; other keys do nothing.
void OnListKeyDown(WORD virtualKey);
void DeleteSelectedRows();
void OpenSelectedRows();
