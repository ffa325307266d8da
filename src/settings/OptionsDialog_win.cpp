#include "settings/OptionsDialog_win.h"

void OptionsDialog(HWND) {}
INT_PTR CALLBACK OptionsDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
