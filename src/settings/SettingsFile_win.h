#pragma once
#include <windows.h>

#include "common/ColumnTable.h"
#include "scan/PathJoin.h"

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

// Path of the settings file; tests point it elsewhere before LoadSettings.
const char* SettingsFilePath();
void SetSettingsFilePath(const char* path);

void LoadSettings();
void SaveSettings();
