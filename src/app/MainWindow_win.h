#pragma once
#include <windows.h>

extern const char kAppName[];  // "FILORA": class, title, menu and icon name

bool RegisterMainWindowClass(HINSTANCE instance);
// Reads the settings at iniPath and opens the main window as they say; the settings are saved
// there when the window closes or the session ends.
HWND CreateMainWindow(HINSTANCE instance, int showCommand, const wchar_t* iniPath);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
