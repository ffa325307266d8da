// The settings file as the platform reads and writes it, and the dialogs that change the settings.
#include "app/AuxDialogs_win.h"  // the folder picker
#include "support/Support.h"

#include <commctrl.h>

#include "resource.h"
#include "settings/OptionsDialog_win.h"
#include "settings/SettingsFile_win.h"

using Ints = std::vector<int>;

class SettingsTest : public ::testing::Test {
 protected:
  void Options(std::function<void(HWND)> act) {
    DialogDriver driver([&](HWND d) { act(d); return true; });
    OptionsDialog(GetModuleHandleA(nullptr), nullptr, Wide(ini).c_str());
    EXPECT_EQ(driver.Count(), 1);
  }
  static Ints Checked() { return {settings.includeSubfolders, settings.autoWidth, settings.clearFirst}; }
  TempTree t;
  const std::string ini = t.Root() + "\\FILORA.INI";
};

TEST_F(SettingsTest, AHandEditedFileOpensOnTheScreenWithinBounds) {
  t.File("FILORA.INI", "[OPTION]\r\nLEFT=99999\r\nTOP=-99999\r\nRIGHT=100000000\r\nBOTTOM=abc\r\nCOLMN05=-5\r\n"
                       "COLMN06=2000000000\r\nDIR1=" + std::string(5000, 'x') + "\r\n");
  LoadSettings(Wide(ini).c_str());
  // On the prefix's 1280x1024 desktop: as wide as the screen, at its top, 48 pixels of caption showing.
  EXPECT_EQ((Ints{settings.left, settings.top, settings.width, settings.height}), (Ints{1232, 0, 1280, 240}));
  EXPECT_EQ((Ints{columnWidths[4], columnWidths[5]}), (Ints{0, 10000}));
  EXPECT_EQ(settings.folder, std::wstring(259, L'x'));
}

TEST_F(SettingsTest, OptionsListTheHistoryNewestFirstCancelKeepsAllOkTakesAWideFilterAndTheBoxes) {
  // Neither the numbers' order nor the alphabet's is the newest first; empty slots are left out.
  t.File("FILORA.INI", "[OPTION]\r\nFILTER001=b\r\nFILTER002=\r\nFILTER003=c\r\nFILTER007=a\r\nFILTER999=" +
                           std::string(261, 'x'));
  const std::string before = ReadBytes(ini), wide(120, 'w');  // far wider than the box
  lstrcpyA(settings.filter, wide.c_str());
  settings.includeSubfolders = 1, settings.autoWidth = 0, settings.clearFirst = 1;
  const auto clickAll = [](HWND d) {
    for (int id : {IDC_SUBFOLDERS, IDC_AUTOWIDTH, IDC_CLEARFIRST}) SendDlgItemMessageA(d, id, BM_CLICK, 0, 0);
  };
  std::vector<std::string> items;
  Options([&](HWND d) {
    char text[1024];
    for (int i = 0; SendDlgItemMessageA(d, IDC_FILTER, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text)) >= 0; ++i)
      items.push_back(text);
    SetDlgItemTextA(d, IDC_FILTER, "*.typed");
    clickAll(d);
    PressButton(d, IDCANCEL);
  });
  EXPECT_EQ(items, (std::vector<std::string>{std::string(260, 'x'), "a", "c", "b"}));
  EXPECT_EQ(settings.filter, wide);
  EXPECT_EQ(Checked(), (Ints{1, 0, 1}));
  EXPECT_EQ(ReadBytes(ini), before);
  Options([&](HWND d) { clickAll(d); PressButton(d, IDOK); });
  EXPECT_EQ(IniValue(ini, "FILTER002"), wide);  // taken whole from the box
  EXPECT_EQ(Checked(), (Ints{0, 1, 0}));
}

// The picker opens on the folder in the box; cancelled, it leaves the box as it was.
TEST_F(SettingsTest, TheFolderPickerOpensOnTheFolderAndCancelledKeepsIt) {
  const std::wstring folder = Wide(t.Root()) + L"\\R\xE9sum\xE9";
  wchar_t buffer[kPathSize], selected[MAX_PATH] = L"";
  lstrcpyW(buffer, folder.c_str());
  CreateDirectoryW(buffer, nullptr);
  // Wine's tree, on a loaded host, now and then takes no selection at all: three tries.
  for (int attempt = 0; attempt < 3 && lstrcmpW(selected, L"R\xE9sum\xE9") != 0; ++attempt) {
    const DWORD start = GetTickCount();
    DialogDriver driver([&](HWND d) {  // asked at each tick until the tree has reached it
      HWND tree = FindWindowExW(d, nullptr, WC_TREEVIEWW, nullptr);
      TVITEMW item = {TVIF_TEXT, reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))};
      item.pszText = selected, item.cchTextMax = MAX_PATH;
      SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
      if (lstrcmpW(selected, L"R\xE9sum\xE9") != 0 && GetTickCount() - start < 3000) return false;
      return PressButton(d, IDCANCEL), true;
    });
    BrowseForFolder(nullptr, buffer);
    EXPECT_EQ(driver.Count(), 1);
    EXPECT_EQ(buffer, folder);
  }
  EXPECT_STREQ(selected, L"R\xE9sum\xE9");
}

// DIR1UTF8 holds a folder whole only while DIR1 still holds its '?' form (an older FILORA may have
// changed DIR1) and while it is UTF-8; a folder code page 932 can write takes the key away.
TEST_F(SettingsTest, AFolderKeptWholeComesBackWhileItsCodePage932FormStandsAndGoesWhenNotNeeded) {
  for (const auto& [keys, folder] : {std::pair{"DIR1=C:\\other\r\nDIR1UTF8=C:\\R%C3%A9sum%C3%A9", L"C:\\other"},
                                     {"DIR1=C:\\R?sum?\r\nDIR1UTF8=C:\\R%C3%A9sum%C3", L"C:\\R?sum?"}}) {
    t.File("FILORA.INI", std::string("[OPTION]\r\n") + keys + "\r\n");
    LoadSettings(Wide(ini).c_str());
    EXPECT_EQ(settings.folder, std::wstring(folder)) << keys;
  }
  t.File("FILORA.INI", "[OPTION]\r\nDIR1UTF8=C:\\R%C3%A9sum%C3%A9\r\n");
  lstrcpyW(settings.folder, L"C:\\表\\100%");
  SaveSettings(Wide(ini).c_str(), nullptr);
  EXPECT_EQ(IniValue(ini, "DIR1") + " " + IniValue(ini, "DIR1UTF8"), "C:\\表\\100% <none>");
}
