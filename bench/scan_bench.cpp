// Times FILORA's real main window on big trees against the platform work no listing can avoid.
//
//   scan_bench.exe BIG_TREE [SMALL_TREE [ROUNDS]]
//   scan_bench.exe --floor TREE RESULTS       the floor alone, its seconds written to RESULTS
//   scan_bench.exe --journey TREE RESULTS     the journey alone: scan, sort, export, Delete, exit
//   scan_bench.exe --scale DIR ROUNDS TREE... the figures of the floors and journeys in DIR
//
// FILORA: the window is created in this process exactly as the program creates it, with a
// private settings file naming the tree, and driven by its own messages: Start, Start again with
// clear-first on, a click on the path column's header, the export, the columns sized to their
// content, and the Delete key on half the rows.
// Floor: two walks of the tree, the two-byte probe of every file and the version strings of the
// programs, and the same number of 17-cell rows added to a list view that does not repaint.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/MainWindow_win.h"
#include "BenchSupport.h"
#include "listops/CompareExport_win.h"
#include "listops/CsvExport_win.h"
#include "resource.h"
#include "common/ColumnTable.h"
#include "scan/ColumnAutoWidth_win.h"
#include "scan/FileList_win.h"
#include "settings/SettingsFile_win.h"
#include "settings/SettingsKeys.h"

namespace {

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

// Committed private memory of the process. Wine reports no PrivateUsage, so then the address
// space is walked instead, which gives the same figure.
const char* privateBytesSource = "PrivateUsage";

double PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  if (counters.PrivateUsage != 0) return static_cast<double>(counters.PrivateUsage);
  privateBytesSource = "committed private regions (VirtualQuery)";
  double total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* p = nullptr; VirtualQuery(p, &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<double>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= p) break;
    p = next;
  }
  return total;
}

// The status text is code page 932; the console of a Wine run shows UTF-8.
std::string Utf8(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
  std::string utf8(wide.size() * 3 + 1, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr));
  if (!utf8.empty()) utf8.pop_back();
  return utf8;
}

std::string TempPath(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + name;
}

bool IsFolder(const WIN32_FIND_DATAA& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// ---- Floor ------------------------------------------------------------------------------

struct FloorCounts {
  int files = 0;
  int programs = 0;
};

// One walk in FILORA's order: a folder's files, then its subfolders.
template <typename OnFile>
void Walk(const std::string& dir, OnFile onFile) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  std::vector<std::string> subfolders;
  do {
    if (!IsFolder(data))
      onFile(dir, data);
    else if (data.cFileName[0] != '.')
      subfolders.push_back(data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  for (const std::string& name : subfolders) Walk(dir + "\\" + name, onFile);
}

bool StartsWithMZ(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  char head[2] = {};
  DWORD read = 0;
  const bool ok = ReadFile(file, head, 2, &read, nullptr) && read == 2;
  CloseHandle(file);
  return ok && head[0] == 'M' && head[1] == 'Z';
}

const char* const kKeys[8] = {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                              "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};

void VersionStrings(const char* path, std::string* cells, std::vector<char>& block) {
  for (int k = 0; k < 8; ++k) cells[k] = " ";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return;
  block.resize(size);
  if (!GetFileVersionInfoA(path, 0, size, block.data())) return;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4) return;
  const WORD* pair = static_cast<const WORD*>(value);
  char query[96];
  for (int k = 0; k < 8; ++k) {
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\%s", pair[0], pair[1], kKeys[k]);
    if (VerQueryValueA(block.data(), query, &value, &length) && length > 0) cells[k] = static_cast<const char*>(value);
  }
}

double RunFloor(const std::string& root, FloorCounts& counts) {
  HWND frame = nullptr;
  HWND list = CreatePlainList(frame);
  Stopwatch clock;
  int counted = 0;
  Walk(root, [&](const std::string&, const WIN32_FIND_DATAA&) { ++counted; });
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  std::vector<char> block;
  std::string version[8];
  int row = 0;
  Walk(root, [&](const std::string& dir, const WIN32_FIND_DATAA& data) {
    const std::string path = dir + "\\" + data.cFileName;
    const bool program = StartsWithMZ(path.c_str());
    if (program) {
      VersionStrings(path.c_str(), version, block);
      ++counts.programs;
    } else {
      for (std::string& v : version) v = " ";
    }
    char size[16];
    std::snprintf(size, sizeof size, "%10lu", data.nFileSizeLow);
    InsertPlainRow(list, row, data.cFileName);
    SetUsualCells(SetCell, list, row, size, data.cAlternateFileName[0] ? data.cAlternateFileName : " ");
    for (int k = 0; k < 8; ++k) SetCell(list, row, 8 + k, version[k].c_str());
    SetCell(list, row, 16, path.c_str());
    ++row;
  });
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  const double seconds = clock.Seconds();
  counts.files = row;
  if (counted != row) std::printf("  (floor: counted %d, listed %d)\n", counted, row);
  DestroyWindow(frame);
  Drain();
  return seconds;
}

// ---- FILORA -----------------------------------------------------------------------------

struct FiloraFigures {
  int rows = 0;
  double scan = 0, rescan = -1, scanCpu = 0, rescanCpu = 0, bytesPerRow = 0, privateBefore = 0;
  double sort = 0, sortAgain = 0, sortByName = 0, readAll = 0, exportCsv = 0, autoWidth = 0, autoWidthAgain = 0, controlAutoWidth = -1;
  double compare = 0;
  bool compared = false;  // the differences found were the rows changed
  bool sameWidths = true, idle = false, sorted = false, written = false;
  std::string status;
};

bool MenuHas(HWND main, UINT id) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID;
  return GetMenuItemInfoA(GetMenu(main), id, FALSE, &info) != 0;
}

std::string StatusText(HWND main) {
  char text[1024] = "";
  SendMessageA(FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

// The only calls that create FILORA's window and name its settings file.
HWND CreateFilora(const std::string& ini, const std::string& root) {
  DeleteFileA(ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, kFolderKey, root.c_str(), ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, kFilterKey, "*.*", ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, "SUB", "1", ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, "AUTO", "0", ini.c_str());
  WritePrivateProfileStringA(kSettingsSection, "DELETE", "1", ini.c_str());
  static bool registered = RegisterMainWindowClass(GetModuleHandleA(nullptr));
  if (!registered) return nullptr;
  HWND main = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE, Wide(ini).c_str());
  Drain();
  return main;
}

void DestroyFilora(HWND main, const std::string& ini) {
  if (IsWindow(main)) DestroyWindow(main);
  Drain();
  DeleteFileA(ini.c_str());
}

double TimeScan(HWND main) {
  Stopwatch clock;
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_START, 0), 0);
  return clock.Seconds();
}

void ClickHeader(HWND main, HWND list, int column) {
  NMLISTVIEW click = {};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = IDC_LIST;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageA(main, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&click));
}

// Byte order, as the sort compares.
bool SortedByPath(HWND list, int rows, bool descending) {
  std::string previous, path;
  for (int r = 0; r < rows; ++r) {
    ReadCellText(list, r, kPathColumn, path);
    if (r > 0 && (descending ? previous < path : path < previous)) return false;
    previous.swap(path);
  }
  return true;
}

std::string RowPath(HWND list, int row) {
  std::string path;
  ReadCellText(list, row, kPathColumn, path);
  return path;
}

std::vector<int> ColumnWidths(HWND list) {
  std::vector<int> widths;
  for (int c = 0; c < kColumnCount; ++c) widths.push_back(static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0)));
  return widths;
}

template <typename Size>
void SizeColumnsQuietly(HWND list, Size size) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  size(list);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
}


// Selects the first half of the rows and presses Delete; the seconds until the list has
// repainted (and the thread's CPU seconds in them), or -1 when the rows left are not the second
// half.
double DeleteFirstHalf(HWND list, double* cpu = nullptr) {
  const int rows = RowCount(list);
  std::vector<std::string> kept;
  for (int r = rows / 2; r < rows; ++r) kept.push_back(RowPath(list, r));
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int r = 0; r < rows / 2; ++r) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, r, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  const double cpuStart = ThreadSeconds();
  Stopwatch clock;
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  UpdateWindow(list);
  const double seconds = clock.Seconds();
  if (cpu) *cpu = ThreadSeconds() - cpuStart;
  if (RowCount(list) != static_cast<int>(kept.size())) return -1;
  for (int r = 0; r < RowCount(list); ++r) {
    if (RowPath(list, r) != kept[r]) return -1;
  }
  return seconds;
}

enum class Run { Scan, ScanTwice, Everything };

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

FiloraFigures RunFilora(const std::string& root, Run run) {
  FiloraFigures f;
  const std::string ini = TempPath("scan_bench.INI");
  HWND main = CreateFilora(ini, root);
  if (!main) return f;
  HWND list = GetDlgItem(main, IDC_LIST);
  f.privateBefore = PrivateBytes();
  double cpu = ThreadSeconds();
  f.scan = TimeScan(main);
  f.scanCpu = ThreadSeconds() - cpu;
  f.rows = RowCount(list);
  f.bytesPerRow = f.rows ? (PrivateBytes() - f.privateBefore) / f.rows : 0;
  f.idle = MenuHas(main, IDM_START);
  f.status = StatusText(main);
  // The same scan again with clear-first on: the list's rows go first.
  if (run != Run::Scan) {
    cpu = ThreadSeconds();
    f.rescan = TimeScan(main);
    f.rescanCpu = ThreadSeconds() - cpu;
    if (RowCount(list) != f.rows) f.rescan = -1;
  }
  if (run != Run::Everything) {
    DestroyFilora(main, ini);
    return f;
  }

  Stopwatch sortClock;
  ClickHeader(main, list, kPathColumn);
  UpdateWindow(list);
  f.sort = sortClock.Seconds();
  f.sorted = SortedByPath(list, f.rows, false);
  Stopwatch againClock;
  ClickHeader(main, list, kPathColumn);
  UpdateWindow(list);
  f.sortAgain = againClock.Seconds();
  f.sorted = f.sorted && SortedByPath(list, f.rows, true);
  Stopwatch nameClock;
  ClickHeader(main, list, 0);
  UpdateWindow(list);
  f.sortByName = nameClock.Seconds();

  // Every cell read once into one buffer: the least any export has to do.
  Stopwatch readClock;
  std::vector<char> buffer(4096);
  unsigned long long bytes = 0;
  for (int r = 0; r < f.rows; ++r) {
    for (int c = 0; c < kColumnCount; ++c) {
      LVITEMA item = {};
      item.iSubItem = c;
      item.pszText = buffer.data();
      item.cchTextMax = static_cast<int>(buffer.size());
      bytes += SendMessageA(list, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
    }
  }
  f.readAll = readClock.Seconds();

  const std::string csv = TempPath("scan_bench.csv");
  Stopwatch exportClock;
  f.written = WriteListAsCsv(list, Wide(csv).c_str(), CsvEncoding::Cp932);
  f.exportCsv = exportClock.Seconds();
  {
    // An earlier listing of the same tree with a new size in one row of ten: the size cell's first
    // character is no blank or digit there.
    std::string earlier = ReadFileBytes(csv);
    int changed = 0;
    for (std::size_t at = 0, line = 0; at < earlier.size(); at = earlier.find("\r\n", at) + 2, ++line) {
      if (line % 10 == 0) earlier[earlier.find("\",\"", earlier.find("\",\"", at) + 3) + 3] = 'x', ++changed;
    }
    const std::string before = TempPath("scan_bench_earlier.csv"), differences = TempPath("scan_bench_diff.csv");
    WriteFileBytes(before, earlier);
    Stopwatch compareClock;
    const CompareResult result = WriteDifferences(list, Wide(root).c_str(), Wide(before).c_str(), Wide(root).c_str(),
                                                  Wide(differences).c_str(), CsvEncoding::Cp932);
    f.compare = compareClock.Seconds();
    f.compared = result.end == CompareEnd::Saved && result.counts.changed == changed && result.counts.Total() == changed;
    DeleteFileA(before.c_str()), DeleteFileA(differences.c_str());
  }
  DeleteFileA(csv.c_str());

  // Sized as the end of a scan sizes them: with the list not repainting, then shown once.
  Stopwatch widthClock;
  SizeColumnsQuietly(list, SizeColumnsToContent);
  f.autoWidth = widthClock.Seconds();
  const std::vector<int> ours = ColumnWidths(list);

  if (GetEnvironmentVariableA("SCAN_BENCH_CONTROL_WIDTHS", nullptr, 0) > 0) {
    for (int c = 0; c < kColumnCount; ++c) SendMessageA(list, LVM_SETCOLUMNWIDTH, c, 100);
    Stopwatch controlClock;
    SizeColumnsQuietly(list, [](HWND l) {
      for (int c = 0; c < kColumnCount; ++c)
        SendMessageA(l, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
    });
    f.controlAutoWidth = controlClock.Seconds();
    f.sameWidths = ColumnWidths(list) == ours;
  }
  DestroyFilora(main, ini);
  return f;
}

void PrintRatio(const char* what, double value, const char* target) {
  std::printf("  %-44s %8.3f   %s\n", what, value, target);
}

std::string Figures(const std::vector<double>& seconds) {
  std::string text;
  for (double t : seconds) {
    char one[32];
    std::snprintf(one, sizeof one, "%s%.3f", text.empty() ? "" : " ", t);
    text += one;
  }
  return text;
}

double Least(const std::vector<double>& seconds) { return *std::min_element(seconds.begin(), seconds.end()); }


// ---- The journey: one tree per process --------------------------------------------------

enum Phase { kScan, kSort, kExport, kDelete, kExit, kPhases };
const char* const kPhaseNames[kPhases] = {"scan", "header click on the path column (sort)", "export (WriteListAsCsv)",
                                          "Delete of the first half", "exit with the other half listed"};
// Delete and exit each handle half the rows; their per-row figures are per row of that half.
const char* const kPerHalfRow[kPhases] = {nullptr, nullptr, nullptr, " (per row gone)", " (per row)"};

struct Journey {
  int rows = 0, ok = 0;
  double floor = 0, bytesPerRow = 0;
  double seconds[kPhases] = {}, cpu[kPhases] = {};
};

// Scan, a click on the path column's header, the export, Delete of the first half and closing
// the window, in a process of its own so that memory is measured on a heap no earlier list has
// grown. The figures go to a file for the scale report.
int RunJourney(const std::string& root, const std::string& results) {
  Journey j;
  double clockStart = 0, cpuStart = 0;
  Stopwatch clock;
  auto begin = [&] {
    clockStart = clock.Seconds();
    cpuStart = ThreadSeconds();
  };
  auto end = [&](Phase phase) {
    j.seconds[phase] = clock.Seconds() - clockStart;
    j.cpu[phase] = ThreadSeconds() - cpuStart;
  };
  const std::string ini = TempPath("scan_bench_journey.INI");
  HWND main = CreateFilora(ini, root);
  if (!main) return 1;
  HWND list = GetDlgItem(main, IDC_LIST);
  const double before = PrivateBytes();
  begin();
  SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_START, 0), 0);
  end(kScan);
  j.rows = RowCount(list);
  j.bytesPerRow = j.rows ? (PrivateBytes() - before) / j.rows : 0;
  begin();
  ClickHeader(main, list, kPathColumn);
  UpdateWindow(list);
  end(kSort);
  const bool sorted = SortedByPath(list, j.rows, false);
  const std::string csv = TempPath("scan_bench_journey.csv");
  begin();
  const bool written = WriteListAsCsv(list, Wide(csv).c_str(), CsvEncoding::Cp932);
  end(kExport);
  DeleteFileA(csv.c_str());
  j.seconds[kDelete] = DeleteFirstHalf(list, &j.cpu[kDelete]);
  begin();
  DestroyFilora(main, ini);
  end(kExit);
  j.ok = j.rows > 0 && sorted && written && j.seconds[kDelete] >= 0;
  FILE* out = std::fopen(results.c_str(), "w");
  if (!out) return 1;
  std::fprintf(out, "%d %d %.1f", j.rows, j.ok, j.bytesPerRow);
  for (int p = 0; p < kPhases; ++p) std::fprintf(out, " %.6f %.6f", j.seconds[p], j.cpu[p]);
  std::fprintf(out, "\n");
  std::fclose(out);
  return j.ok ? 0 : 1;
}

bool ReadJourney(const std::string& results, Journey& j) {
  FILE* in = std::fopen(results.c_str(), "r");
  if (!in) return false;
  int read = std::fscanf(in, "%d %d %lf", &j.rows, &j.ok, &j.bytesPerRow);
  for (int p = 0; p < kPhases; ++p) read += std::fscanf(in, "%lf %lf", &j.seconds[p], &j.cpu[p]);
  std::fclose(in);
  return read == 3 + 2 * kPhases;
}

int RunFloorAlone(const std::string& root, const std::string& results) {
  FloorCounts counts;
  const double seconds = RunFloor(root, counts);
  FILE* out = std::fopen(results.c_str(), "w");
  if (!out) return 1;
  std::fprintf(out, "%.6f\n", seconds);
  std::fclose(out);
  return counts.files > 0 ? 0 : 1;
}

// The figures of the rounds the script ran: tree t's floor and journey of round r are in
// DIR\t-r.floor and DIR\t-r.journey. Each figure keeps its best round, as in the scan benchmark:
// a single round on a shared machine is slowed by others by up to a factor of two.
int RunScale(const std::string& dir, int rounds, const std::vector<std::string>& trees) {
  std::vector<Journey> journeys(trees.size());
  std::vector<std::vector<double>> floors(trees.size()), scans(trees.size());
  bool ok = true;
  for (std::size_t t = 0; t < trees.size(); ++t) {
    for (int round = 1; round <= rounds; ++round) {
      const std::string name = dir + "\\" + std::to_string(t) + "-" + std::to_string(round);
      Journey j;
      double floor = 0;
      FILE* in = std::fopen((name + ".floor").c_str(), "r");
      ok = in && std::fscanf(in, "%lf", &floor) == 1 && ok;
      if (in) std::fclose(in);
      ok = ReadJourney(name + ".journey", j) && j.ok && ok;
      floors[t].push_back(floor);
      scans[t].push_back(j.seconds[kScan]);
      Journey& best = journeys[t];
      if (round == 1) {
        best = j;
        continue;
      }
      for (int p = 0; p < kPhases; ++p) {
        best.seconds[p] = std::min(best.seconds[p], j.seconds[p]);
        best.cpu[p] = std::min(best.cpu[p], j.cpu[p]);
      }
      best.bytesPerRow = std::min(best.bytesPerRow, j.bytesPerRow);
    }
    journeys[t].floor = Least(floors[t]);
  }
  const Journey& first = journeys.front();
  const Journey& last = journeys.back();
  PrivateBytes();  // names the source the journeys' memory figures came from
  std::printf("scale: each floor and journey in a process of its own, the tree's files out of the page cache\n"
              "  before each, best of %d rounds\n", rounds);
  for (std::size_t t = 0; t < trees.size(); ++t)
    std::printf("  %s: floor %s, scan %s\n", trees[t].c_str(), Figures(floors[t]).c_str(), Figures(scans[t]).c_str());
  std::printf("  %-44s", "files listed");
  for (const Journey& j : journeys) std::printf(" %20d", j.rows);
  std::printf("   ratio   target\n");
  auto line = [&](const char* what, double seconds, double perRow, double ratio, const char* target) {
    std::printf("  %-44s", what);
    for (const Journey& j : journeys) {
      const double rows = j.rows * perRow;
      const double value = seconds < 0 ? j.floor : j.seconds[static_cast<int>(seconds)];
      std::printf(" %9.3f %7.1f us", value, rows > 0 ? value * 1e6 / rows : 0.0);
    }
    std::printf(" %7.2f   %s\n", ratio, target);
  };
  std::printf("  seconds, microseconds per file\n");
  line("floor: walks, probes, version strings, rows", -1, 1, last.floor / first.floor, "");
  for (int p = 0; p < kPhases; ++p)
    line((kPhaseNames[p] + std::string(kPerHalfRow[p] ? kPerHalfRow[p] : "")).c_str(), p, kPerHalfRow[p] ? 0.5 : 1,
         last.seconds[p] / first.seconds[p], p < kExit ? "<= 4.4" : "");
  std::printf("  the thread's CPU seconds (the wine server's work not included)\n");
  for (int p = 0; p < kPhases; ++p) {
    std::printf("  %-44s", kPhaseNames[p]);
    for (const Journey& j : journeys) std::printf(" %20.3f", j.cpu[p]);
    std::printf(" %7.2f\n", first.cpu[p] > 0 ? last.cpu[p] / first.cpu[p] : 0.0);
  }
  std::printf("  %-44s", "committed private bytes per row");
  for (const Journey& j : journeys) std::printf(" %20.0f", j.bytesPerRow);
  std::printf("  (%s)\n", privateBytesSource);
  std::printf("  all rows listed, sorted, written, half deleted: %s\n", ok ? "yes" : "NO");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: scan_bench BIG_TREE [SMALL_TREE [ROUNDS]]\n       scan_bench --floor TREE RESULTS\n"
                 "       scan_bench --journey TREE RESULTS\n       scan_bench --scale DIR ROUNDS TREE...\n");
    return 2;
  }
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  const std::string first = argv[1];
  if (first == "--journey" && argc == 4) return RunJourney(argv[2], argv[3]);
  if (first == "--floor" && argc == 4) return RunFloorAlone(argv[2], argv[3]);
  if (first == "--scale" && argc > 4)
    return RunScale(argv[2], std::max(1, std::atoi(argv[3])), std::vector<std::string>(argv + 4, argv + argc));
  const std::string big = argv[1];
  const std::string small = argc > 2 ? argv[2] : "";
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 2;

  // Every file is opened once beforehand, so that the first measurement does not pay alone for
  // bringing the trees into the caches.
  for (const std::string& tree : {big, small}) {
    if (!tree.empty())
      Walk(tree, [](const std::string& dir, const WIN32_FIND_DATAA& data) { StartsWithMZ((dir + "\\" + data.cFileName).c_str()); });
  }

  // The floor and FILORA take turns, and each keeps its best round: on a shared machine the
  // least time is the one least disturbed by others. FILORA goes first in the first round, so
  // that its memory is measured on a heap that no earlier list has grown.
  FiloraFigures f, s;
  FloorCounts floorCounts;
  std::vector<double> floors, scans, rescans, scanCpus, rescanCpus, smallScans;
  for (int round = 0; round < rounds; ++round) {
    if (round == 0) {
      f = RunFilora(big, Run::Everything);
      scans.push_back(f.scan);
      rescans.push_back(f.rescan);
      scanCpus.push_back(f.scanCpu);
      rescanCpus.push_back(f.rescanCpu);
    }
    floorCounts = FloorCounts();
    floors.push_back(RunFloor(big, floorCounts));
    if (round > 0) {
      const FiloraFigures again = RunFilora(big, Run::ScanTwice);
      scans.push_back(again.scan);
      rescans.push_back(again.rescan);
      scanCpus.push_back(again.scanCpu);
      rescanCpus.push_back(again.rescanCpu);
    }
    if (!small.empty()) {
      s = RunFilora(small, Run::Scan);
      smallScans.push_back(s.scan);
    }
  }
  const double floor = Least(floors);
  f.scan = Least(scans);
  const bool rescanned = *std::min_element(rescans.begin(), rescans.end()) >= 0;
  f.rescan = Least(rescans);
  if (!small.empty()) s.scan = Least(smallScans);

  std::printf("tree %s: %d rows listed by FILORA, %d by the floor (%d version queries)\n", big.c_str(), f.rows,
              floorCounts.files, floorCounts.programs);
  std::printf("  final status text %s, menu idle again: %s\n", Utf8(f.status).c_str(), f.idle ? "yes" : "NO");
  std::printf("figures (seconds)\n");
  std::printf("  floor: walks, probes, version strings, rows     %8.3f  (rounds: %s)\n", floor, Figures(floors).c_str());
  std::printf("  FILORA scan                                     %8.3f  (rounds: %s)\n", f.scan, Figures(scans).c_str());
  std::printf("  the same scan again, clear-first on             %8.3f  (rounds: %s)%s\n", f.rescan,
              Figures(rescans).c_str(), rescanned ? "" : "  ROWS DIFFER");
  std::printf("  the thread's CPU seconds in the two scans       %8.3f %8.3f  (rounds: %s / %s)\n", Least(scanCpus),
              Least(rescanCpus), Figures(scanCpus).c_str(), Figures(rescanCpus).c_str());
  if (!small.empty())
    std::printf("  FILORA scan of %-6d rows                       %8.3f  (rounds: %s)\n", s.rows, s.scan,
                Figures(smallScans).c_str());
  std::printf("  header click on the path column (sort)          %8.3f%s\n", f.sort, f.sorted ? "" : "  NOT SORTED");
  std::printf("  second click on it (descending)                 %8.3f\n", f.sortAgain);
  std::printf("  then a click on the name column                 %8.3f\n", f.sortByName);
  std::printf("  every cell read back once                       %8.3f\n", f.readAll);
  std::printf("  export (WriteListAsCsv)                         %8.3f%s\n", f.exportCsv, f.written ? "" : "  FAILED");
  std::printf("  compare with an earlier listing, a tenth changed %7.3f%s\n", f.compare,
              f.compared ? "" : "  WRONG DIFFERENCES");
  std::printf("  columns sized to content                        %8.3f\n", f.autoWidth);
  if (f.controlAutoWidth >= 0)
    std::printf("  the control's own auto width, 17 columns        %8.3f  (same widths: %s)\n", f.controlAutoWidth,
                f.sameWidths ? "yes" : "NO");
  std::printf("ratios                                                      target\n");
  PrintRatio("scan / floor", f.scan / floor, "<= 1.3");
  PrintRatio("second scan (clearing the list first) / scan", f.rescan / f.scan, "<= 1.1");
  PrintRatio("the same in the thread's CPU seconds", Least(rescanCpus) / Least(scanCpus), "");
  PrintRatio("sort (s)", f.sort, "< 1");
  PrintRatio("sort / scan", f.sort / f.scan, "< 0.1");
  PrintRatio("export / read back", f.exportCsv / f.readAll, "<= 1.2");
  PrintRatio("compare (s)", f.compare, "< 1");
  if (!small.empty() && s.rows > 0) {
    PrintRatio("scan / small scan", f.scan / s.scan, "<= 6");
    PrintRatio("rows / small rows", static_cast<double>(f.rows) / s.rows, "");
  }
  const double room = 3.0 * 1024 * 1024 * 1024 - f.privateBefore;
  std::printf("memory\n");
  std::printf("  private bytes per listed row                    %8.0f  (%s)\n", f.bytesPerRow, privateBytesSource);
  std::printf("  private bytes before the scan                   %8.1f MiB\n", f.privateBefore / (1024 * 1024));
  if (f.bytesPerRow > 0)
    std::printf("  rows that fit in 3 GiB at that rate             %8.0f\n", room / f.bytesPerRow);
  return f.rows > 0 && f.written && f.sorted && f.sameWidths && rescanned ? 0 : 1;
}
