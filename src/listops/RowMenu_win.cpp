#include "listops/RowMenu_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "common/ColumnTable.h"
#include "common/Handles_win.h"
#include "listops/RowCopy_win.h"
#include "listops/RowGestures.h"
#include "resource.h"
#include "scan/FileList_win.h"
#include "scan/PathJoin.h"

namespace {

// Below the start of the row's text, as Explorer puts a menu asked for by a key; the list's corner
// when no row has the focus.
POINT MenuPlaceForKey(HWND list, int row) {
  RECT r = {LVIR_LABEL, 0, 0, 0};
  POINT at = {0, 0};
  if (row >= 0) {
    SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
    if (SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) at = {r.left, r.bottom};
  }
  ClientToScreen(list, &at);
  return at;
}

// What SEE_MASK_INVOKEIDLIST asks of the shell, done by hand: the verb of the file's own shell menu.
// Wine's ShellExecuteEx knows no "properties" for a file; its shell menu does.
void InvokeShellVerb(HWND owner, const wchar_t* path, const char* verb) {
  const ItemIdList item(ILCreateFromPathW(path));
  ComRef<IShellFolder> folder;
  PCUITEMID_CHILD child = nullptr;
  if (!item.Valid() || FAILED(SHBindToParent(item.Get(), IID_IShellFolder, folder.Out(), &child))) return;
  ComRef<IContextMenu> menu;
  if (FAILED(folder->GetUIObjectOf(owner, 1, &child, IID_IContextMenu, nullptr, menu.Out()))) return;
  // A shell menu answers a verb only once it has been asked for its items.
  const OwnedMenu items(CreatePopupMenu());
  if (!items.Valid() || FAILED(menu->QueryContextMenu(items.Get(), 0, 1, 0x7FFF, CMF_NORMAL))) return;
  CMINVOKECOMMANDINFO invoke = {};
  invoke.cbSize = sizeof invoke;
  invoke.hwnd = owner;
  invoke.lpVerb = verb;
  invoke.nShow = SW_SHOWNORMAL;
  menu->InvokeCommand(&invoke);
}

}  // namespace

OwnedMenu LoadRowMenu(HINSTANCE instance, HWND list, int& row) {
  OwnedMenu menus(LoadMenuA(instance, "ROWMENU"));
  const int focused = FocusedRow(list);
  row = RowForMenu(focused, focused >= 0 && RowSelected(list, focused), FirstSelectedRow(list));
  for (UINT id : {IDM_OPENFOLDER, IDM_COPY, IDM_COPYPATH, IDM_PROPERTIES})
    EnableMenuItem(menus.Get(), id, MF_BYCOMMAND | (row >= 0 ? MF_ENABLED : MF_GRAYED));
  return menus;
}

void ShowRowMenu(HINSTANCE instance, HWND owner, HWND list, LPARAM where) {
  int row = -1;
  const OwnedMenu menus = LoadRowMenu(instance, list, row);
  HMENU menu = menus.Valid() ? GetSubMenu(menus.Get(), 0) : nullptr;
  if (!menu) return;
  // The file of the row the menu was opened on, whatever a running scan does meanwhile.
  std::wstring path;
  if (row >= 0) ReadCellText(list, row, kPathColumn, path);
  // The platform's -1, -1 stands for Shift+F10 or the menu key.
  POINT at = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) at = MenuPlaceForKey(list, FocusedRow(list));
  switch (TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr)) {
    case IDM_OPENFOLDER:
      if (!path.empty()) OpenFolderOf(owner, path.c_str());
      break;
    case IDM_COPY: CopySelectedRows(owner, list); break;
    case IDM_COPYPATH: CopySelectedPaths(owner, list); break;
    case IDM_SELECTALL: SelectAllRows(list); break;
    case IDM_PROPERTIES:
      if (!path.empty()) ShowPropertiesOf(owner, path.c_str());
      break;
  }
}

void OpenFolderOf(HWND owner, const wchar_t* path) {
  const ItemIdList file(ILCreateFromPathW(path));
  if (file.Valid() && SUCCEEDED(SHOpenFolderAndSelectItems(file.Get(), 0, nullptr, 0))) return;
  const std::vector<std::wstring> folders = AncestorFolders(path);
  if (!folders.empty()) ShellExecuteW(owner, L"open", folders.back().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowPropertiesOf(HWND owner, const wchar_t* path) {
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"properties";
  info.lpFile = path;
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) InvokeShellVerb(owner, path, "properties");
}
