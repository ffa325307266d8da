#pragma once
// What the benchmark programs share: clocks, the message pump and the floor's plain list.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "common/ColumnTable.h"

// A path the benchmark made, as the program's calls take it.
inline std::wstring Wide(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                  static_cast<int>(wide.size())));
  return wide;
}

// The thread's own CPU seconds: unlike the clock, hardly moved by other work on the machine.
inline double ThreadSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto seconds = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

inline void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A cell set the plain way, as the floor sets them.
inline void SetCell(HWND list, int row, int column, const char* text) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// A row put in the plain way, as the floor puts them.
inline void InsertPlainRow(HWND list, int row, const char* name) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(name);
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

// The cells whose texts cost FILORA work of its own (type, size, times, attributes, short name),
// with texts of the usual length; set sets a cell the way the list at hand takes them.
inline void SetUsualCells(void (*set)(HWND, int, int, const char*), HWND list, int row, const char* size,
                          const char* shortName) {
  set(list, row, 1, "テキスト ドキュメント");
  set(list, row, 2, size);
  set(list, row, 3, "2024-05-06 07:08:09");
  set(list, row, 4, "2024-05-06 07:08:09");
  set(list, row, 5, "2024-05-06");
  set(list, row, 6, "A");
  set(list, row, 7, shortName);
}

// The floor's list: a plain report list view with as many columns, in a plain frame.
inline HWND CreatePlainList(HWND& frame) {
  frame = CreateWindowExA(0, "STATIC", "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 10, 40, 600, 400,
                              frame, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (int c = 0; c < kColumnCount; ++c) {
    LVCOLUMNA col = {};
    col.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.cx = 100;
    col.pszText = const_cast<char*>("column");
    col.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
  }
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  Drain();
  return list;
}
