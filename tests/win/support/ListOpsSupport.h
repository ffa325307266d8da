#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Acts on a run of dialog boxes of this thread, one action per box in the order they open:
// a file dialog, then the question it asks, then a message box, and so on. Only the box that
// takes input (enabled) is acted on, so an owner under a nested box is left alone.
class DialogScript {
 public:
  explicit DialogScript(std::vector<std::function<void(HWND)>> actions);
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  // How many boxes have been acted on, and the title and static texts of each.
  int Handled() const;
  const std::vector<std::string>& Titles() const;
  const std::vector<std::string>& Texts() const;
};

// The text of a dialog's control, and setting it.
std::string DialogItemText(HWND dialog, int id);
void SetDialogItemText(HWND dialog, int id, const std::string& text);

// The file name field of the Save dialog: edt1 in the old layout, the cmb13 combo box in the
// newer one.
HWND FileNameField(HWND saveDialog);
