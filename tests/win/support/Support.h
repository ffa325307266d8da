#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "scan/ScanDriver_win.h"

// A fresh folder in the temp folder, removed whole at the end. Relative paths; parents made as needed.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  const std::string& Root() const { return root_; }
  std::string Dir(const std::string& rel);
  std::string File(const std::string& rel, const std::string& content = "");
  std::wstring File(const std::wstring& rel, const std::string& content);  // names of any kind
  void Files(std::initializer_list<std::string> rels);  // empty files; "x\\" makes a folder

 private:
  std::string root_;
};

std::string TempPath(const char* name);  // a fresh name in the temp folder
std::wstring Wide(const std::string& ansi);
template <typename Char>
std::string ReadBytes(const std::basic_string<Char>& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}
std::string ExeFolder();
std::string IniValue(const std::string& ini, const char* key);  // "<none>" when missing
// Runs a command in the host's shell under Wine and waits for it; false when that cannot be.
bool HostShell(const std::string& command);
std::string HostPath(const std::string& windowsPath);

// Acts once on each dialog this thread shows from now on, from a timer in its modal loop; act returns false
// to be asked again (the dialog may still be starting). Open 10 s, or 1 s after act, fails and is cancelled.
class DialogDriver {
 public:
  explicit DialogDriver(std::function<bool(HWND)> act);
  ~DialogDriver();
  int Count() const;                // dialogs seen
  const std::string& Text() const;  // static texts of the last one, joined by "\n"
};
void PressButton(HWND dialog, int id);

// Runs action from inside the next scan on this thread, as a handled message: at the first folder
// the scan is done with, and again at each next one for as long as it returns false.
void DuringScan(std::function<bool()> action);

// A plain window holding the main window's children, handed to the modules under test.
struct Host {
  Host();
  ~Host();
  HWND window, folderBox, list, statusBar;
  static std::vector<bool> busyCalls;  // what the scan told setBusy, in order
  static int listPaints;               // times a list painted (it tells its parent only then)
  ScanWindows Windows() const;
  void Scan(const std::wstring& folder, const char* filter = "*.*");
  void Scan(const std::string& folder, const char* filter = "*.*") { Scan(Wide(folder), filter); }
  std::string Status() const;
};

std::vector<std::string> ColumnTexts(HWND list, int column);  // as the list shows them
void SelectRows(HWND list, const std::vector<int>& rows);
