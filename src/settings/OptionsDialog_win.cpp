#include "settings/OptionsDialog_win.h"

#include <string>
#include <vector>

#include "resource.h"
#include "settings/FilterHistory.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsKeys.h"

namespace {

// The history has no copy in memory: every read goes to the settings file.
class ProfileFilterHistory : public FilterHistoryStore {
 public:
  explicit ProfileFilterHistory(const wchar_t* iniPath) : iniPath_(iniPath) {}
  std::string Read(int number) override { return ReadSettingsText(iniPath_, FilterHistoryKey(number).c_str(), ""); }
  void Write(int number, const std::string& value) override {
    WriteSettingsText(iniPath_, FilterHistoryKey(number).c_str(), value.c_str());
  }

 private:
  const wchar_t* iniPath_;
};

// The dialog's parameter: the settings file its history lives in.
const wchar_t* IniPath(HWND dialog) { return reinterpret_cast<const wchar_t*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

void CheckOption(HWND dialog, int id, int value) {
  CheckDlgButton(dialog, id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

int OptionChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

BOOL OnInitDialog(HWND dialog, const wchar_t* iniPath) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(iniPath));
  SetDlgItemTextA(dialog, IDC_FILTER, settings.filter);
  ProfileFilterHistory history(iniPath);
  const std::vector<std::string> entries = ListFilterHistory(history);
  // Each insert goes in front, lowest number first, so the newest ends on top; CB_INSERTSTRING
  // ignores CBS_SORT.
  HWND combo = GetDlgItem(dialog, IDC_FILTER);
  for (auto it = entries.rbegin(); it != entries.rend(); ++it)
    SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(it->c_str()));
  CheckOption(dialog, IDC_SUBFOLDERS, settings.includeSubfolders);
  CheckOption(dialog, IDC_AUTOWIDTH, settings.autoWidth);
  CheckOption(dialog, IDC_CLEARFIRST, settings.clearFirst);
  return TRUE;  // focus to the first tab stop, OK
}

void OnOk(HWND dialog) {
  GetDlgItemTextA(dialog, IDC_FILTER, settings.filter, kPathSize);
  ProfileFilterHistory history(IniPath(dialog));
  AddToFilterHistory(history, settings.filter);
  settings.includeSubfolders = OptionChecked(dialog, IDC_SUBFOLDERS);
  settings.autoWidth = OptionChecked(dialog, IDC_AUTOWIDTH);
  settings.clearFirst = OptionChecked(dialog, IDC_CLEARFIRST);
  EndDialog(dialog, 1);
}

BOOL OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
  }
  return FALSE;
}

}  // namespace

void OptionsDialog(HINSTANCE instance, HWND owner, const wchar_t* iniPath) {
  DialogBoxParamA(instance, "OPTION", owner, OptionsDialogProc, reinterpret_cast<LPARAM>(iniPath));
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<const wchar_t*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
  }
  return FALSE;
}
