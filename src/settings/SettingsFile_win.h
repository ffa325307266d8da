#pragma once
#include <windows.h>

#include "common/ColumnTable.h"
#include "common/Limits.h"
#include "settings/SettingsKeys.h"

struct Settings {
  char folder[kPathSize];
  char filter[kPathSize];
  int includeSubfolders;
  int autoWidth;
  int clearFirst;
  int left, top, width, height;
  COLORREF color;
};

extern Settings settings;
extern int columnWidths[kColumnCount];

// Reads settings and columnWidths from the settings file at iniPath; the window rectangle is
// moved onto the screen.
void LoadSettings(const char* iniPath);

// Writes settings and columnWidths; window: the rectangle to save, nullptr to leave the saved
// one as it is.
void SaveSettings(const char* iniPath, const WindowRect* window);
