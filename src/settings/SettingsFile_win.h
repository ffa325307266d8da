#pragma once
#include <windows.h>

#include "common/ColumnTable.h"
#include "common/Limits.h"
#include "settings/SettingsKeys.h"

struct Settings {
  wchar_t folder[kPathSize];  // as the disk names it
  char filter[kPathSize];     // code page 932
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
void LoadSettings(const wchar_t* iniPath);

// Writes settings and columnWidths; window: the rectangle to save, nullptr to leave the saved
// one as it is.
void SaveSettings(const wchar_t* iniPath, const WindowRect* window);

// The settings file's text keys, in code page 932 as the file holds them. The file may lie in a
// folder of any name, so the platform is asked for them in UTF-16; it reads and writes the file's
// bytes in the ANSI code page as ever.
std::string ReadSettingsText(const wchar_t* iniPath, const char* key, const char* defaultValue);
void WriteSettingsText(const wchar_t* iniPath, const char* key, const char* value);
