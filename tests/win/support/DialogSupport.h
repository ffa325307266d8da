#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A dialog template resource as the dialog manager reads it; texts converted to code page 932.
struct DialogItemInfo {
  int id;
  std::string className;  // predefined classes by name: "Button", "Static", "ComboBox", ...
  std::string text;
  DWORD style;
  int x, y, cx, cy;
};
struct DialogTemplateInfo {
  bool found = false;
  DWORD style = 0, exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  bool hasMenu = false, hasClass = false;
  std::string title, fontName;
  int pointSize = 0;
  std::vector<DialogItemInfo> items;
};
DialogTemplateInfo ReadDialogTemplate(const char* name);

std::string ItemText(HWND dialog, int id);
std::vector<std::string> ComboItems(HWND combo);

// The dialog's controls from the one after first, as Tab moves, until first comes round again.
std::vector<int> TabOrderFrom(HWND dialog, int firstId);

// Notes whether a dialog is still open once every message posted so far has been handled (a timer
// fires only when no posted message is left), and then ends it so the test goes on.
class StillOpenProbe {
 public:
  StillOpenProbe() = default;
  ~StillOpenProbe();
  void Arm(HWND dialog);
  StillOpenProbe(const StillOpenProbe&) = delete;
  StillOpenProbe& operator=(const StillOpenProbe&) = delete;
  bool WasStillOpen() const;
};

// Point (client coordinates of window) that lies in its update region.
bool PointNeedsPaint(HWND window, POINT p);
