#include "listops/CsvExport_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "common/CodePage932.h"
#include "common/Limits.h"
#include "common/TextConvert_win.h"
#include "listops/CsvLine.h"
#include "listops/ReplacingFile_win.h"
#include "scan/FileList_win.h"

namespace {

// Excel takes a file with this mark for UTF-8 in any locale.
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// The Save dialog's types; the second writes UTF-8.
constexpr wchar_t kSaveTypes[] =
    L"CSV files {*.csv}\0*.csv\0CSV UTF-8 (*.csv)\0*.csv\0Text files {*.txt}\0*.txt\0All files {*.*}\0*.*\0";
constexpr DWORD kUtf8SaveType = 2;

}  // namespace

const char kNotSavedText[] = "ファイルに保存できませんでした。\r\n";

// Proposed again by every later Save of the run.
static SaveChoice exportChoice;

void ReadRowAs(HWND list, int row, CsvEncoding encoding, std::string* cells) {
  ReadRowText(list, row, cells);
  if (encoding == CsvEncoding::Cp932) return;
  // ASCII reads the same in UTF-8, unless it is the '?' form of a real name or path.
  const bool real = HasRealPath(list, row);
  std::wstring wide;
  for (int c = 0; c < kColumnCount; ++c) {
    if (IsAscii(cells[c]) && !(real && (c == kNameColumn || c == kPathColumn))) continue;
    ReadCellText(list, row, c, wide);
    cells[c] = Utf8From(wide);
  }
}

bool WriteListAsCsv(HWND list, const wchar_t* path, CsvEncoding encoding) {
  return WriteReplacingFile(path, [&](FileText& text) {
    if (encoding == CsvEncoding::Utf8) text.Buffer() = kUtf8Mark;
    std::string cells[kColumnCount];
    for (int r = 0; r < RowCount(list); ++r) {
      ReadRowAs(list, r, encoding, cells);
      AppendCsvLine(text.Buffer(), cells, kColumnCount);
      if (!text.WriteWhenFull()) return false;
    }
    return true;
  });
}

bool AskSaveAs(HWND owner, SaveChoice& choice) {
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kSaveTypes;
  ofn.nFilterIndex = choice.type;
  ofn.lpstrFile = choice.path;
  ofn.nMaxFile = kPathSize;
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  ofn.lpstrDefExt = L"txt";
  if (!GetSaveFileNameW(&ofn)) return false;
  choice.type = ofn.nFilterIndex;
  return true;
}

CsvEncoding EncodingOf(const SaveChoice& choice) {
  return choice.type == kUtf8SaveType ? CsvEncoding::Utf8 : CsvEncoding::Cp932;
}

void SaveListAsCsv(HWND owner, HWND list) {
  if (!AskSaveAs(owner, exportChoice)) return;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (WriteListAsCsv(list, exportChoice.path, EncodingOf(exportChoice))) return;
  const std::wstring message = WideFrom932(kNotSavedText) + exportChoice.path;
  MessageBoxW(owner, message.c_str(), L"FILORA", MB_ICONERROR);
}
