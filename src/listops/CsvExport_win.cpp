#include "listops/CsvExport_win.h"

void SaveListAsCsv() {}
