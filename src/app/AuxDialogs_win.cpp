#include "app/AuxDialogs_win.h"

void BrowseForFolder(HWND, char*) {}
void ChooseBackgroundColor() {}
void AboutDialog(HWND) {}
void ShowHelp(HWND) {}
