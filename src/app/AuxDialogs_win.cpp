#include "app/AuxDialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include "common/Handles_win.h"
#include "common/Limits.h"
#include "common/TextConvert_win.h"
#include "settings/SettingsFile_win.h"

static const char kPickerTitle[] = "フォルダを選択してください";
static const char kHelpFile[] = "FILORA.HLP";

// Reset before every opening, so custom colours last only while the dialog is open.
static COLORREF customColors[16];

void BrowseForFolder(HWND owner, wchar_t* buffer) {
  // The picker may write into the display-name buffer even when cancelled (Wine fills it with
  // whatever it holds), so keep the folder to put back unless a path comes of it.
  wchar_t previous[kPathSize];
  lstrcpynW(previous, buffer, kPathSize);
  const std::wstring title = WideFrom932(kPickerTitle);

  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = buffer;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(buffer);
  info.iImage = 0;
  const ItemIdList chosen(SHBrowseForFolderW(&info));
  wchar_t path[MAX_PATH] = L"";
  const bool gotPath = chosen.Valid() && SHGetPathFromIDListW(chosen.Get(), path) && path[0] != L'\0';
  lstrcpynW(buffer, gotPath ? path : previous, kPathSize);
}

int CALLBACK BrowseCallback(HWND picker, UINT message, LPARAM, LPARAM lpData) {
  if (message == BFFM_INITIALIZED && lpData)
    SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, lpData);
  return 0;
}

void ChooseBackgroundColor(HWND owner) {
  for (COLORREF& c : customColors) c = 0xFFFFFFFF;
  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = settings.color;
  choose.lpCustColors = customColors;
  choose.Flags = CC_FULLOPEN;
  if (!ChooseColorA(&choose)) return;
  settings.color = choose.rgbResult;
  InvalidateRect(owner, nullptr, TRUE);
}

void AboutDialog(HINSTANCE instance, HWND owner) { DialogBoxParamA(instance, "FILORA", owner, AboutDialogProc, 0); }

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, 1);
      return TRUE;
  }
  return FALSE;
}

void ShowHelp(HWND owner) { WinHelpA(owner, kHelpFile, HELP_FORCEFILE, 0); }
