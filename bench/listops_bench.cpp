// Times a sort by path and an export of a long list against the time the list takes to fill.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/MainWindow_win.h"
#include "listops/ColumnSort_win.h"
#include "listops/CsvExport_win.h"
#include "resource.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"

namespace {

constexpr int kRows = 100000;

class Stopwatch {
 public:
  Stopwatch() {
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
  }
  double Seconds() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_, start_;
};

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Rows in scrambled path order, so that the sort has real work to do.
void FillRow(HWND list, int row) {
  const unsigned n = (static_cast<unsigned>(row) * 2654435761u) % kRows;
  char name[32], size[16], path[96];
  std::snprintf(name, sizeof name, "file%06u.txt", n);
  std::snprintf(size, sizeof size, "%10u", (n * 7919u) % 5000000u);
  std::snprintf(path, sizeof path, "C:\\data\\folder%03u\\sub%02u\\file%06u.txt", n % 997, n % 31, n);
  InsertFileRow(list, row, name, row);
  SetCellText(list, row, 1, "テキスト ドキュメント");
  SetCellText(list, row, 2, size);
  SetCellText(list, row, 3, "2024/05/06 07:08:09");
  SetCellText(list, row, 4, "2024/05/06 07:08:09");
  SetCellText(list, row, 5, "2024/05/06");
  SetCellText(list, row, 6, "A");
  SetCellText(list, row, 7, "FILE00~1.TXT");
  for (int c = 8; c < 16; ++c) SetCellText(list, row, c, " ");
  SetCellText(list, row, 16, path);
}

}  // namespace

int main() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string ini = std::string(temp) + "listops_bench.INI";
  const std::string csv = std::string(temp) + "listops_bench.csv";

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND main = RegisterMainWindowClass(instance) ? CreateMainWindow(instance, SW_SHOWNOACTIVATE, ini.c_str()) : nullptr;
  if (!main) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }
  Drain();
  HWND list = GetDlgItem(main, IDC_LIST);

  Stopwatch fillClock;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < kRows; ++row) FillRow(list, row);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  const double fill = fillClock.Seconds();

  Stopwatch sortClock;
  SortByColumn(list, kPathColumn);
  UpdateWindow(list);
  const double sort = sortClock.Seconds();

  Stopwatch exportClock;
  const bool written = WriteListAsCsv(list, csv.c_str());
  const double exported = exportClock.Seconds();

  std::printf("rows            %d\n", RowCount(list));
  std::printf("fill            %.3f s\n", fill);
  std::printf("sort by path    %.3f s\n", sort);
  std::printf("export          %.3f s%s\n", exported, written ? "" : " (FAILED)");
  std::printf("sort / fill     %.3f\n", sort / fill);
  std::printf("export / fill   %.3f\n", exported / fill);

  DestroyWindow(main);
  Drain();
  DeleteFileA(csv.c_str());
  DeleteFileA(ini.c_str());
  return written ? 0 : 1;
}
