#pragma once
#include <windows.h>

// The whole program: with arguments, a listing without a window; else the single-instance check,
// settings, window, message loop. Returns the exit code.
int RunFilora(HINSTANCE instance, int showCommand);

// Handles one message of the main loop: a drop on the folder box sets its text first.
void DispatchLoopMessage(MSG& msg);
