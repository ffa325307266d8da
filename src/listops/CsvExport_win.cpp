#include "listops/CsvExport_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "common/Handles_win.h"
#include "common/Limits.h"
#include "common/TextConvert_win.h"
#include "listops/CsvLine.h"
#include "scan/FileList_win.h"

namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;
// Excel takes a file with this mark for UTF-8 in any locale.
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Writes and empties the buffer; a short write counts as a failure.
bool Flush(const FileHandle& file, std::string& buffer) {
  if (buffer.empty()) return true;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(buffer.size());
  if (!WriteFile(file.Get(), buffer.data(), size, &written, nullptr) || written != size) return false;
  buffer.clear();
  return true;
}

void ReadCell(HWND list, int row, int column, CsvEncoding encoding, std::string& cell, std::wstring& wide) {
  if (encoding == CsvEncoding::Cp932) return ReadCellText(list, row, column, cell);
  ReadCellText(list, row, column, wide);
  cell = Utf8From(wide);
}

bool WriteRows(HWND list, const wchar_t* path, CsvEncoding encoding) {
  FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  const int rows = RowCount(list);
  std::string cells[kColumnCount];
  std::wstring wide;
  std::string buffer(encoding == CsvEncoding::Utf8 ? kUtf8Mark : "");
  buffer.reserve(kWriteChunk + 4096);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < kColumnCount; ++c) ReadCell(list, r, c, encoding, cells[c], wide);
    AppendCsvLine(buffer, cells, kColumnCount);
    if (buffer.size() >= kWriteChunk && !Flush(file, buffer)) return false;
  }
  // On the disk before the file takes the old one's place, so that not even a crash leaves less.
  return Flush(file, buffer) && FlushFileBuffers(file.Get());
}

// The Save dialog's types; the second writes UTF-8.
constexpr wchar_t kSaveTypes[] =
    L"CSV files {*.csv}\0*.csv\0CSV UTF-8 (*.csv)\0*.csv\0Text files {*.txt}\0*.txt\0All files {*.*}\0*.*\0";
constexpr DWORD kUtf8SaveType = 2;

}  // namespace

// Proposed again by every later Save of the run, with the type chosen.
static wchar_t exportPath[kPathSize];
static DWORD exportType = 1;

bool WriteListAsCsv(HWND list, const wchar_t* path, CsvEncoding encoding) {
  // The rows go to a new file beside the chosen one, which takes its place only once they are all
  // written: a full disk or a failed write never leaves a cut list where the last good one was.
  wchar_t full[kPathSize], temp[MAX_PATH];
  wchar_t* name = nullptr;
  const DWORD length = GetFullPathNameW(path, kPathSize, full, &name);
  if (length == 0 || length >= kPathSize || !name) return false;
  const std::wstring folder(full, name);
  if (!GetTempFileNameW(folder.c_str(), L"FIL", 0, temp)) return false;
  if (WriteRows(list, temp, encoding) && MoveFileExW(temp, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temp);
  return false;
}

void SaveListAsCsv(HWND owner, HWND list) {
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kSaveTypes;
  ofn.nFilterIndex = exportType;
  ofn.lpstrFile = exportPath;
  ofn.nMaxFile = kPathSize;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  ofn.lpstrDefExt = L"txt";
  if (!GetSaveFileNameW(&ofn)) return;
  exportType = ofn.nFilterIndex;

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (WriteListAsCsv(list, exportPath, exportType == kUtf8SaveType ? CsvEncoding::Utf8 : CsvEncoding::Cp932)) return;
  const std::wstring message = WideFrom932("ファイルに保存できませんでした。\r\n") + exportPath;
  MessageBoxW(owner, message.c_str(), L"FILORA", MB_ICONERROR);
}
