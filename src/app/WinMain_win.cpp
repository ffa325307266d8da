#include <windows.h>

#include "app/Startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return RunFilora(instance, showCommand);
}
