#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A fresh folder under the temp folder, removed with its contents when the object goes.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  const std::string& Root() const { return root_; }
  // Paths are relative to the root, with backslashes; parents are created as needed.
  std::string Dir(const std::string& rel);
  std::string File(const std::string& rel, const std::string& content = "");

 private:
  std::string root_;
};

void RemoveTree(const std::string& path);
std::string ReadFileBytes(const std::string& path);
std::string ExeFolder();

// Sends every pending message of the thread to its window (WM_QUIT is dropped).
void DrainMessages();

// Watches for the next dialog box of this thread (message box, common dialog) and acts on it
// from a timer while its modal loop runs: the action receives the dialog window.
class DialogWatcher {
 public:
  explicit DialogWatcher(std::function<void(HWND)> action);
  ~DialogWatcher();
  bool Seen() const;
  const std::string& Title() const;
  // Texts of the dialog's static controls, joined by "\n".
  const std::string& Text() const;
};
// Called from a watcher's action: the dialog is not ready yet, act again on the next tick.
// Blocking inside the action would hold a dialog still initialising in a nested message loop.
void RetryDialogWatch();
// Texts of a dialog's static controls, joined by "\n".
std::string DialogStaticText(HWND dialog);
// Presses a button of a dialog by id.
void PressDialogButton(HWND dialog, int id);

// The main window created in this process, as the program creates it, with a private INI file.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the INI the window will read (call before CreateApp).
  void WriteIni(const char* key, const std::string& value);
  void CreateApp();
  void DestroyApp();

  void SetFolder(const std::string& folder);
  void Command(int id);
  // A header click as the list reports it to the main window.
  void ClickColumn(int column);
  void Scan(const std::string& folder);
  HWND List() const;
  int RowCount() const;
  std::string Cell(int row, int column) const;
  std::vector<std::string> Column(int column) const;
  std::vector<std::string> Row(int row) const;
  // The row tag (lParam) of a row.
  LPARAM Tag(int row) const;
  std::string StatusText() const;
  std::string IniValue(const char* key) const;
  bool MenuHas(int id) const;
  bool MenuEnabled(int id) const;

  std::string iniPath_;
  HWND main_ = nullptr;
};
