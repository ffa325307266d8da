// Times the list operations of FILORA's real main window on a long list, each against its floor:
// the same operation done the plain way, with repainting off, on a plain list view holding the
// same rows in the same run.
//
//   listops_bench.exe [ROWS]
//
// FILORA's window is driven by its own messages: a click on the path column's header, a Start
// with clear-first on an empty folder (the clear), the Delete key on selected rows, WM_CLOSE.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "BenchSupport.h"
#include "listops/CsvExport_win.h"
#include "resource.h"
#include "scan/FileList_win.h"
#include "common/ColumnTable.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsKeys.h"

namespace {

// Seconds on the clock, and the thread's own CPU seconds, which other work on the machine
// hardly moves.
struct Timing {
  double seconds = 0, cpu = 0;
};

template <typename Work>
Timing Time(Work work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  const double cpu = ThreadSeconds();
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return {static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
          ThreadSeconds() - cpu};
}

// FILORA's main window as the program creates it, with a private settings file that names an
// empty folder, so that Start only clears the list. The only calls that create the window.
HWND CreateFilora(const std::string& ini, const std::string& emptyFolder) {
  DeleteFileA(ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, kFolderKey, emptyFolder.c_str(), ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, kDeleteKey.key, "1", ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, kAutoKey.key, "0", ini.c_str());
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterMainWindowClass(instance)) return nullptr;
  HWND main = CreateMainWindow(instance, SW_SHOWNOACTIVATE, Wide(ini).c_str());
  Drain();
  return main;
}

void Repaint(HWND list) {
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
}

unsigned Scrambled(int row, int rows) {
  return (static_cast<unsigned>(row) * 2654435761u) % static_cast<unsigned>(rows);
}

std::string NameOf(unsigned n) {
  char name[32];
  std::snprintf(name, sizeof name, "file%06u.txt", n);
  return name;
}

// Rows in scrambled path order, so that the sort has real work to do. FILORA's list gets its
// rows as the scan gives them; the floor's, as a plain list view takes them.
void Fill(HWND list, int rows, bool filora) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < rows; ++row) {
    const unsigned n = Scrambled(row, rows);
    char size[16], path[96];
    std::snprintf(size, sizeof size, "%10u", (n * 7919u) % 5000000u);
    std::snprintf(path, sizeof path, "C:\\data\\folder%03u\\sub%02u\\file%06u.txt", n % 997, n % 31, n);
    const std::string name = NameOf(n);
    const auto set = filora ? SetCellText : SetCell;
    if (filora)
      InsertFileRow(list, row, name.c_str());
    else
      InsertPlainRow(list, row, name.c_str());
    SetUsualCells(set, list, row, size, "FILE00~1.TXT");
    for (int c = 8; c < 16; ++c) set(list, row, c, " ");
    set(list, row, kPathColumn, path);
  }
  Repaint(list);
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// As the list shows it.
std::string Name(HWND list, int row) {
  char text[64] = "";
  LVITEMA item = {};
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

template <typename Chosen>
void Select(HWND list, Chosen chosen) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0; row < Rows(list); ++row) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    if (chosen(row)) SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }
  Repaint(list);
}

// The rows left are exactly the unchosen ones, in order.
template <typename Chosen>
bool LeftAsExpected(HWND list, int rows, Chosen chosen) {
  int row = 0;
  for (int r = 0; r < rows; ++r) {
    if (!chosen(r) && (row >= Rows(list) || Name(list, row++) != NameOf(Scrambled(r, rows)))) return false;
  }
  return row == Rows(list);
}

// The plain way: every row asked from the bottom, each selected one deleted; redraw off.
void PlainDelete(HWND list) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int row = Rows(list) - 1; row >= 0; --row) {
    if (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED)) SendMessageA(list, LVM_DELETEITEM, row, 0);
  }
  Repaint(list);
}

void PlainClear(HWND list) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  Repaint(list);
}

void FiloraDelete(HWND list) {
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  UpdateWindow(list);
}

// A key on FILORA's list with Ctrl held, as the user presses it.
void CtrlKey(HWND list, WPARAM key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(list, WM_KEYDOWN, key, 0);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

// The bytes of the clipboard's CF_TEXT.
std::size_t ClipboardBytes() {
  std::size_t bytes = 0;
  if (!OpenClipboard(nullptr)) return 0;
  if (HANDLE text = GetClipboardData(CF_TEXT)) {
    if (const char* at = static_cast<const char*>(GlobalLock(text))) bytes = std::strlen(at);
    GlobalUnlock(text);
  }
  CloseClipboard();
  return bytes;
}

void FiloraClear(HWND main, HWND list) {
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_START, 0), 0);
  UpdateWindow(list);
}

struct Line {
  const char* what;
  Timing filora, floor;
  const char* target;
};

void Print(const Line& line) {
  std::printf("  %-38s %8.3f", line.what, line.filora.seconds);
  if (line.floor.seconds > 0)
    std::printf(" %8.3f %7.2f   %-12s", line.floor.seconds, line.filora.seconds / line.floor.seconds, line.target);
  else
    std::printf(" %29s", "");
  std::printf(" %7.2f", line.filora.cpu);
  if (line.floor.cpu > 0) std::printf(" %7.2f %6.2f", line.floor.cpu, line.filora.cpu / line.floor.cpu);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc > 1 ? std::max(2, std::atoi(argv[1])) : 100000;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string ini = std::string(temp) + "listops_bench.INI";
  const std::string csv = std::string(temp) + "listops_bench.csv";
  const std::string empty = std::string(temp) + "listops_bench_empty";
  CreateDirectoryA(empty.c_str(), nullptr);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);

  HWND main = CreateFilora(ini, empty);
  HWND list = main ? GetDlgItem(main, IDC_LIST) : nullptr;
  if (!list) {
    std::fprintf(stderr, "the main window could not be created\n");
    return 1;
  }
  HWND frame = nullptr;
  HWND plain = CreatePlainList(frame);
  std::vector<Line> lines;
  bool ok = true;

  const Timing fill = Time([&] { Fill(list, rows, true); });
  lines.push_back({"fill (rows added, redraw off)", fill, Time([&] { Fill(plain, rows, false); }), ""});

  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = IDC_LIST;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = kPathColumn;
  const Timing sort = Time([&] {
    SendMessageA(main, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    UpdateWindow(list);
  });
  lines.push_back({"header click on the path column (sort)", sort, {}, ""});
  Select(list, [](int row) { return row % 3 != 1; });  // selection and focus go with their rows
  const Timing sortSelected = Time([&] {
    SendMessageA(main, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
    UpdateWindow(list);
  });
  lines.push_back({"the same with 2 rows in 3 selected", sortSelected, {}, ""});
  const Timing exported = Time([&] { ok = WriteListAsCsv(list, Wide(csv).c_str(), CsvEncoding::Cp932) && ok; });
  lines.push_back({"export (WriteListAsCsv)", exported, {}, ""});
  lines.push_back({"select all (Ctrl+A)", Time([&] { CtrlKey(list, 'A'); }), {}, ""});
  const Timing copied = Time([&] { CtrlKey(list, 'C'); });
  const std::size_t copiedBytes = ClipboardBytes();
  ok = copiedBytes > static_cast<std::size_t>(rows) * 100 && ok;  // a line per row, each longer than 100 bytes
  lines.push_back({"copy of every row (Ctrl+C)", copied, {}, "about 1 s"});
  DeleteFileA(csv.c_str());

  const Timing clear = Time([&] { FiloraClear(main, list); });
  ok = Rows(list) == 0 && ok;
  lines.push_back({"clear (Start with clear-first)", clear, Time([&] { PlainClear(plain); }), ""});

  struct Deletion {
    const char* what;
    bool (*chosen)(int row, int rows);
  };
  const Deletion deletions[] = {
      {"Delete of every second row", [](int row, int) { return row % 2 == 0; }},
      {"Delete of the first half", [](int row, int rows) { return row < rows / 2; }},
  };
  for (const Deletion& d : deletions) {
    auto chosen = [&](int row) { return d.chosen(row, rows); };
    Fill(list, rows, true);
    Select(list, chosen);
    const Timing ours = Time([&] { FiloraDelete(list); });
    ok = LeftAsExpected(list, rows, chosen) && ok;
    Fill(plain, rows, false);
    Select(plain, chosen);
    lines.push_back({d.what, ours, Time([&] { PlainDelete(plain); }), "< 2 s, <= 2"});
    FiloraClear(main, list);
    PlainClear(plain);
  }

  Fill(list, rows, true);
  const Timing exit = Time([&] {
    SendMessageA(main, WM_CLOSE, 0, 0);
    Drain();
  });
  ok = !IsWindow(main) && ok;
  Fill(plain, rows, false);
  lines.push_back({"exit (WM_CLOSE) with every row listed", exit, Time([&] {
                     DestroyWindow(frame);
                     Drain();
                   }),
                   ""});

  std::printf("list operations on %d rows (seconds)     FILORA    floor   ratio   target        CPU: FILORA  floor  ratio\n", rows);
  for (const Line& line : lines) Print(line);
  std::printf("  sort / fill %.3f, export / fill %.3f, copy / export %.3f (%.1f MB of text)\n", sort.seconds / fill.seconds,
              exported.seconds / fill.seconds, copied.seconds / exported.seconds, copiedBytes / 1e6);
  std::printf("  rows copied, rows left as expected, list cleared, window gone: %s\n", ok ? "yes" : "NO");
  DeleteFileA(ini.c_str());
  RemoveDirectoryA(empty.c_str());
  return ok ? 0 : 1;
}
