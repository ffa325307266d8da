#include "support/ListOpsSupport.h"

#include "support/WinTestSupport.h"

#include <dlgs.h>

#include <algorithm>

namespace {

struct ScriptState {
  std::vector<std::function<void(HWND)>> actions;
  std::vector<HWND> handled;
  std::vector<std::string> titles, texts;
  UINT_PTR timer = 0;
};
ScriptState* script;

BOOL CALLBACK FindActiveDialog(HWND hwnd, LPARAM param) {
  char cls[16];
  if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && GetClassNameA(hwnd, cls, sizeof cls) &&
      lstrcmpA(cls, "#32770") == 0) {
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!script || script->handled.size() >= script->actions.size()) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindActiveDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  // A box already acted on may still be open for a moment (its button is only posted).
  if (std::find(script->handled.begin(), script->handled.end(), dialog) != script->handled.end()) return;
  char title[256] = "";
  GetWindowTextA(dialog, title, sizeof title);
  std::string text = DialogStaticText(dialog);
  const std::size_t step = script->handled.size();
  script->handled.push_back(dialog);
  script->titles.push_back(title);
  script->texts.push_back(text);
  script->actions[step](dialog);
}

}  // namespace

DialogScript::DialogScript(std::vector<std::function<void(HWND)>> actions) {
  script = new ScriptState;
  script->actions = std::move(actions);
  script->timer = SetTimer(nullptr, 0, 100, ScriptTimer);
}

DialogScript::~DialogScript() {
  KillTimer(nullptr, script->timer);
  delete script;
  script = nullptr;
}

int DialogScript::Handled() const { return static_cast<int>(script->handled.size()); }
const std::vector<std::string>& DialogScript::Titles() const { return script->titles; }
const std::vector<std::string>& DialogScript::Texts() const { return script->texts; }

std::string DialogItemText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

void SetDialogItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

HWND FileNameField(HWND saveDialog) {
  if (HWND edit = GetDlgItem(saveDialog, edt1)) return edit;
  return GetDlgItem(saveDialog, cmb13);
}
