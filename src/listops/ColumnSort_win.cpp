#include "listops/ColumnSort_win.h"

void SortByColumn(int) {}
