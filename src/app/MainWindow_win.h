#pragma once
#include <windows.h>

extern const char kAppName[];  // "FILORA": class, title, menu and icon name

HINSTANCE AppInstance();
// NULL before creation and once the window is destroyed.
HWND MainWindow();
HWND FolderBox();
HWND FileListControl();
HWND StatusBar();

bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance, int showCommand);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void SetBusyMenu(bool busy);
