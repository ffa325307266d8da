#include "listops/RowActions_win.h"

void OnListKeyDown(WORD) {}
void DeleteSelectedRows() {}
void OpenSelectedRows() {}
