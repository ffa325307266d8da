#include "support/DialogSupport.h"
#include "support/WinTestSupport.h"

#include <colordlg.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>

#include "app/AuxDialogs_win.h"
#include "app/MainWindow_win.h"
#include "resource.h"
#include "settings/SettingsFile_win.h"

using Texts = std::vector<std::string>;

class DialogTest : public AppTest {
 protected:
  // Opens the dialog behind command id, runs action on it and returns once it has ended.
  void Open(int id, std::function<void(HWND)> action) {
    DialogWatcher watcher(std::move(action));
    Command(id);
    EXPECT_TRUE(watcher.Seen());
  }
  void OpenColor(std::function<void(HWND)> action) {
    DialogWatcher watcher(std::move(action));
    SendMessageA(main_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(watcher.Seen());
  }
  std::string IniBytes() const { return ReadFileBytes(iniPath_); }
  // Writes the settings file in one go (many keys at once).
  void WriteIniFile(const std::string& body) {
    HANDLE h = CreateFileA(iniPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string text = "[OPTION]\r\n" + body;
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
  }
};

// Options dialog: the filter history.

class OptionsDialogTest : public DialogTest {
 protected:
  // Opens the options dialog and returns the history it lists.
  Texts ListedHistory() {
    Texts items;
    Open(IDM_OPTIONS, [&](HWND d) {
      items = ComboItems(GetDlgItem(d, IDC_FILTER));
      PressDialogButton(d, IDCANCEL);
    });
    return items;
  }
  void OkWithFilter(const std::string& filter) {
    Open(IDM_OPTIONS, [&](HWND d) {
      SetDlgItemTextA(d, IDC_FILTER, filter.c_str());
      PressDialogButton(d, IDOK);
    });
  }
};

TEST_F(OptionsDialogTest, ListsHistoryNewestFirstWithDuplicatesAndEditShowsFilter) {
  WriteIni("FILTER", "*.cur");
  WriteIni("FILTER001", "*.a");
  WriteIni("FILTER002", "*.b");
  WriteIni("FILTER003", "*.a");
  CreateApp();
  Texts items;
  std::string edit;
  Open(IDM_OPTIONS, [&](HWND d) {
    items = ComboItems(GetDlgItem(d, IDC_FILTER));
    edit = ItemText(d, IDC_FILTER);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_EQ(items, (Texts{"*.a", "*.b", "*.a"}));
  EXPECT_EQ(edit, "*.cur");
}

TEST_F(OptionsDialogTest, NewFilterTakesNextNumberAndIsListedFirst) {
  WriteIni("FILTER001", "*.a");
  WriteIni("FILTER002", "*.b");
  WriteIni("FILTER003", "*.c");
  CreateApp();
  OkWithFilter("*.new");
  EXPECT_EQ(IniValue("FILTER004"), "*.new");
  EXPECT_STREQ(settings.filter, "*.new");
  EXPECT_EQ(ListedHistory(), (Texts{"*.new", "*.c", "*.b", "*.a"}));
}

TEST_F(OptionsDialogTest, NewFilterFillsGapAndIsListedAtItsPlace) {
  WriteIni("FILTER001", "*.a");
  WriteIni("FILTER003", "*.c");
  CreateApp();
  OkWithFilter("*.new");
  EXPECT_EQ(IniValue("FILTER002"), "*.new");
  EXPECT_EQ(IniValue("FILTER004"), "<missing>");
  EXPECT_EQ(ListedHistory(), (Texts{"*.c", "*.new", "*.a"}));
}

TEST_F(OptionsDialogTest, KeyWithEmptyValueCountsAsFree) {
  WriteIni("FILTER001", "");
  WriteIni("FILTER002", "*.b");
  CreateApp();
  EXPECT_EQ(ListedHistory(), (Texts{"*.b"}));
  OkWithFilter("*.new");
  EXPECT_EQ(IniValue("FILTER001"), "*.new");
}

TEST_F(OptionsDialogTest, FilterDifferingOnlyInCaseIsNewEntry) {
  WriteIni("FILTER001", "*.TXT");
  CreateApp();
  OkWithFilter("*.txt");
  EXPECT_EQ(IniValue("FILTER002"), "*.txt");
}

TEST_F(OptionsDialogTest, FilterAlreadyInHistoryIsNotWrittenAgain) {
  WriteIni("FILTER001", "*.a");
  WriteIni("FILTER002", "*.b");
  CreateApp();
  const std::string before = IniBytes();
  OkWithFilter("*.a");
  EXPECT_STREQ(settings.filter, "*.a");
  EXPECT_EQ(IniBytes(), before);
}

TEST_F(OptionsDialogTest, ChoosingListedFilterPutsItInFieldAndWritesNothing) {
  WriteIni("FILTER", "*.cur");
  WriteIni("FILTER001", "*.a");
  WriteIni("FILTER002", "*.b");
  CreateApp();
  const std::string before = IniBytes();
  Open(IDM_OPTIONS, [](HWND d) {
    SendDlgItemMessageA(d, IDC_FILTER, CB_SETCURSEL, 1, 0);
    PressDialogButton(d, IDOK);
  });
  EXPECT_STREQ(settings.filter, "*.a");
  EXPECT_EQ(IniBytes(), before);
}

TEST_F(OptionsDialogTest, AllSlotsTakenKeepsFilterInSettingsOnly) {
  std::string body;
  for (int n = 1; n <= 999; ++n) {
    char line[32];
    wsprintfA(line, "FILTER%03d=*.%d\r\n", n, n);
    body += line;
  }
  WriteIniFile(body);
  CreateApp();
  const std::string before = IniBytes();
  OkWithFilter("*.new");
  EXPECT_STREQ(settings.filter, "*.new");
  EXPECT_EQ(IniBytes(), before);
}

TEST_F(OptionsDialogTest, OverlongStoredValueIsListedCutTo260) {
  WriteIni("FILTER001", std::string(300, 'x'));
  CreateApp();
  EXPECT_EQ(ListedHistory(), (Texts{std::string(260, 'x')}));
}

TEST_F(OptionsDialogTest, OkAtOnceAddsCurrentFilterToHistory) {
  WriteIni("FILTER", "*.cur");
  CreateApp();
  Open(IDM_OPTIONS, [](HWND d) { PressDialogButton(d, IDOK); });
  EXPECT_STREQ(settings.filter, "*.cur");
  EXPECT_EQ(IniValue("FILTER001"), "*.cur");
}

TEST_F(OptionsDialogTest, OkAtOnceKeepsFilterWiderThanField) {
  const std::string wide = "*.aaaaaaaaaa;*.bbbbbbbbbb;*.cccccccccc;*.dddddddddd;*.eeeeeeeeee;*.ffffffffff";
  WriteIni("FILTER", wide);
  CreateApp();
  Open(IDM_OPTIONS, [](HWND d) { PressDialogButton(d, IDOK); });
  EXPECT_EQ(settings.filter, wide);
  EXPECT_EQ(IniValue("FILTER001"), wide);
}

TEST_F(OptionsDialogTest, EmptyFilterClearsSettingAndLeavesHistoryAlone) {
  WriteIni("FILTER001", "*.a");
  CreateApp();
  const std::string before = IniBytes();
  OkWithFilter("");
  EXPECT_STREQ(settings.filter, "");
  EXPECT_EQ(IniBytes(), before);
}

TEST_F(OptionsDialogTest, CancelAfterEditingChangesNothing) {
  WriteIni("FILTER", "*.cur");
  WriteIni("FILTER001", "*.a");
  CreateApp();
  const Settings before = settings;
  const std::string iniBefore = IniBytes();
  Open(IDM_OPTIONS, [](HWND d) {
    SetDlgItemTextA(d, IDC_FILTER, "*.typed");
    for (int id : {IDC_SUBFOLDERS, IDC_AUTOWIDTH, IDC_CLEARFIRST}) SendDlgItemMessageA(d, id, BM_CLICK, 0, 0);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_STREQ(settings.filter, before.filter);
  EXPECT_EQ(settings.includeSubfolders, before.includeSubfolders);
  EXPECT_EQ(settings.autoWidth, before.autoWidth);
  EXPECT_EQ(settings.clearFirst, before.clearFirst);
  EXPECT_EQ(IniBytes(), iniBefore);
}

// Options dialog: the check boxes.

TEST_F(OptionsDialogTest, CheckBoxesShowOptionsAndOkStoresClicks) {
  WriteIni("SUB", "0");
  WriteIni("AUTO", "1");
  WriteIni("DELETE", "0");
  CreateApp();
  UINT shown[3] = {};
  Open(IDM_OPTIONS, [&](HWND d) {
    shown[0] = IsDlgButtonChecked(d, IDC_SUBFOLDERS);
    shown[1] = IsDlgButtonChecked(d, IDC_AUTOWIDTH);
    shown[2] = IsDlgButtonChecked(d, IDC_CLEARFIRST);
    for (int id : {IDC_SUBFOLDERS, IDC_AUTOWIDTH, IDC_CLEARFIRST}) SendDlgItemMessageA(d, id, BM_CLICK, 0, 0);
    PressDialogButton(d, IDOK);
  });
  EXPECT_EQ(shown[0], BST_UNCHECKED);
  EXPECT_EQ(shown[1], BST_CHECKED);
  EXPECT_EQ(shown[2], BST_UNCHECKED);
  EXPECT_EQ(settings.includeSubfolders, 1);
  EXPECT_EQ(settings.autoWidth, 0);
  EXPECT_EQ(settings.clearFirst, 1);
}

TEST_F(OptionsDialogTest, OptionOfTwoShowsCheckedAndBecomesOneAfterOk) {
  WriteIni("SUB", "2");
  CreateApp();
  UINT shown = 0;
  Open(IDM_OPTIONS, [&](HWND d) {
    shown = IsDlgButtonChecked(d, IDC_SUBFOLDERS);
    PressDialogButton(d, IDOK);
  });
  EXPECT_EQ(shown, BST_CHECKED);
  EXPECT_EQ(settings.includeSubfolders, 1);
}

TEST_F(OptionsDialogTest, OptionOfTwoKeepsItsValueAfterCancel) {
  WriteIni("AUTO", "2");
  CreateApp();
  UINT shown = 0;
  Open(IDM_OPTIONS, [&](HWND d) {
    shown = IsDlgButtonChecked(d, IDC_AUTOWIDTH);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_EQ(shown, BST_CHECKED);
  EXPECT_EQ(settings.autoWidth, 2);
}

// Options dialog: keyboard.

TEST_F(OptionsDialogTest, FocusStartsOnOkAndTabFollowsTemplateOrder) {
  CreateApp();
  int focused = 0;
  std::vector<int> order;
  Open(IDM_OPTIONS, [&](HWND d) {
    focused = GetDlgCtrlID(GetFocus());
    order = TabOrderFrom(d, IDOK);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_EQ(focused, IDOK);
  EXPECT_EQ(order, (std::vector<int>{IDCANCEL, IDC_SUBFOLDERS, IDC_FILTER, IDC_AUTOWIDTH, IDC_CLEARFIRST}));
}

TEST_F(OptionsDialogTest, EscapeCancels) {
  WriteIni("FILTER", "*.cur");
  CreateApp();
  StillOpenProbe probe;
  Open(IDM_OPTIONS, [&](HWND d) {
    SetDlgItemTextA(d, IDC_FILTER, "*.typed");
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    probe.Arm(d);
  });
  EXPECT_FALSE(probe.WasStillOpen());
  EXPECT_STREQ(settings.filter, "*.cur");
}

// Dialog templates as compiled into the program.

template <size_t N>
static void ExpectItems(const DialogTemplateInfo& t, const DialogItemInfo (&expected)[N]) {
  ASSERT_EQ(t.items.size(), N);
  for (size_t i = 0; i < N; ++i) {
    SCOPED_TRACE(i);
    const DialogItemInfo& a = t.items[i];
    const DialogItemInfo& e = expected[i];
    EXPECT_EQ(a.id, e.id);
    EXPECT_EQ(lstrcmpiA(a.className.c_str(), e.className.c_str()), 0) << a.className;  // names match in any case
    EXPECT_EQ(a.text, e.text);
    EXPECT_EQ(a.style, e.style);
    EXPECT_EQ((std::vector<int>{a.x, a.y, a.cx, a.cy}), (std::vector<int>{e.x, e.y, e.cx, e.cy}));
  }
}

TEST(DialogTemplates, OptionsDialogHasItsStyleFontAndControls) {
  const DialogTemplateInfo t = ReadDialogTemplate("OPTION");
  ASSERT_TRUE(t.found);
  EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ((std::vector<int>{t.x, t.y, t.cx, t.cy}), (std::vector<int>{0, 0, 262, 145}));
  EXPECT_FALSE(t.hasMenu);
  EXPECT_FALSE(t.hasClass);
  EXPECT_EQ(t.title, "オプションの設定");
  EXPECT_EQ(t.pointSize, 9);
  EXPECT_EQ(t.fontName, "ＭＳ Ｐゴシック");
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DialogItemInfo expected[] = {
      {IDOK, "Button", "OK", child | WS_TABSTOP | BS_DEFPUSHBUTTON, 77, 121, 50, 14},
      {IDCANCEL, "Button", "ｷｬﾝｾﾙ", child | WS_TABSTOP | BS_PUSHBUTTON, 141, 121, 50, 14},
      {-1, "Static", "フィルタ", child | WS_GROUP | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, 7, 7, 50, 14},
      {IDC_SUBFOLDERS, "Button", "サブフォルダーも比較", child | WS_TABSTOP | BS_AUTOCHECKBOX, 83, 49, 89, 11},
      {IDC_FILTER, "ComboBox", "", child | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT, 66, 7, 140, 102},
      {-1, "Button", "", child | BS_GROUPBOX, 66, 34, 189, 75},
      {-1, "Static", "オプション", child | WS_GROUP | SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN, 7, 39, 50, 14},
      {IDC_AUTOWIDTH, "Button", "ツリービューの幅を自動調整する", child | WS_TABSTOP | BS_AUTOCHECKBOX, 83, 67, 145, 11},
      {IDC_CLEARFIRST, "Button", "検索開始前にツリービューのアイテムを削除する", child | WS_TABSTOP | BS_AUTOCHECKBOX,
       83, 84, 163, 11},
  };
  ExpectItems(t, expected);
}

TEST(DialogTemplates, AboutBoxHasItsStyleFontAndControls) {
  const DialogTemplateInfo t = ReadDialogTemplate("FILORA");
  ASSERT_TRUE(t.found);
  EXPECT_EQ(t.style, static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(t.exStyle, 0u);
  EXPECT_EQ((std::vector<int>{t.x, t.y, t.cx, t.cy}), (std::vector<int>{22, 17, 183, 66}));
  EXPECT_FALSE(t.hasMenu);
  EXPECT_FALSE(t.hasClass);
  EXPECT_EQ(t.title, "FILORA");
  EXPECT_EQ(t.pointSize, 8);
  EXPECT_EQ(t.fontName, "MS Sans Serif");
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const DialogItemInfo expected[] = {
      {-1, "Static", "FILORA", child | SS_ICON, 3, 2, 20, 20},
      {-1, "Static", "FILORA Ver.1.22", child | WS_GROUP | SS_LEFT, 36, 10, 100, 8},
      {IDOK, "Button", "OK", child | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 43, 50, 14},
      {-1, "Static", "拡張ディレクトリ情報", child | WS_GROUP | SS_LEFT, 38, 26, 100, 8},
  };
  ExpectItems(t, expected);
}

// About box.

class AboutBoxTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    CreateApp();
  }
  // Opens the about box, sends it input and tells whether that closed it.
  bool ClosedBy(std::function<void(HWND)> input) {
    StillOpenProbe probe;
    Open(IDM_ABOUT, [&](HWND d) {
      input(d);
      probe.Arm(d);
    });
    return !probe.WasStillOpen();
  }
};

TEST_F(AboutBoxTest, ShowsIconVersionAndDescriptionWithFocusOnOk) {
  std::string title, text;
  int focused = 0;
  HICON icon = nullptr;
  DialogWatcher watcher([&](HWND d) {
    focused = GetDlgCtrlID(GetFocus());
    HWND iconControl = FindWindowExA(d, nullptr, "Static", nullptr);
    icon = reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0));
    PressDialogButton(d, IDOK);
  });
  Command(IDM_ABOUT);
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Title(), "FILORA");
  EXPECT_NE(watcher.Text().find("FILORA Ver.1.22\n拡張ディレクトリ情報"), std::string::npos) << watcher.Text();
  EXPECT_EQ(focused, IDOK);
  EXPECT_NE(icon, nullptr);
}

TEST_F(AboutBoxTest, ClosesWithOkButton) {
  EXPECT_TRUE(ClosedBy([](HWND d) { PressDialogButton(d, IDOK); }));
}

TEST_F(AboutBoxTest, ClosesWithEnter) {
  EXPECT_TRUE(ClosedBy([](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }));
}

TEST_F(AboutBoxTest, ClosesWithEscape) {
  EXPECT_TRUE(ClosedBy([](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }));
}

TEST_F(AboutBoxTest, ClosesWithCloseBox) {
  EXPECT_TRUE(ClosedBy([](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }));
}

TEST_F(AboutBoxTest, IgnoresOtherCommands) {
  EXPECT_FALSE(ClosedBy([](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FILTER, 0), 0); }));
}

// Background colour.

class ColorDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteIni("COLOR", "15138815");
    CreateApp();
  }
  static void SetRgb(HWND d, int r, int g, int b) {
    SetDlgItemInt(d, COLOR_RED, r, FALSE);
    SetDlgItemInt(d, COLOR_GREEN, g, FALSE);
    SetDlgItemInt(d, COLOR_BLUE, b, FALSE);
  }
  // A point of the main window's background that the dialog did not cover.
  POINT UncoveredPoint(const RECT& dialog) {
    RECT client;
    GetClientRect(main_, &client);
    for (POINT p : {POINT{3, 35}, POINT{client.right - 3, 35}}) {
      POINT screen = p;
      ClientToScreen(main_, &screen);
      if (!PtInRect(&dialog, screen)) return p;
    }
    ADD_FAILURE() << "the colour dialog covers both probe points";
    return POINT{3, 35};
  }
};

TEST_F(ColorDialogTest, OkSetsColourAndRepaintsWholeBackground) {
  RECT dialogRect = {};
  OpenColor([&](HWND d) {
    GetWindowRect(d, &dialogRect);
    SetRgb(d, 10, 20, 30);
    PressDialogButton(d, IDOK);
  });
  EXPECT_EQ(settings.color, RGB(10, 20, 30));
  EXPECT_TRUE(PointNeedsPaint(main_, UncoveredPoint(dialogRect)));
}

TEST_F(ColorDialogTest, CancelKeepsColourAndDoesNotRepaint) {
  RECT dialogRect = {};
  DrainMessages();
  OpenColor([&](HWND d) {
    GetWindowRect(d, &dialogRect);
    SetRgb(d, 10, 20, 30);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_EQ(settings.color, static_cast<COLORREF>(0xE6FFFF));
  EXPECT_FALSE(PointNeedsPaint(main_, UncoveredPoint(dialogRect)));
}

TEST_F(ColorDialogTest, CustomColoursFromEarlierOpeningAreGone) {
  COLORREF addedFirst = 0xFFFFFFFF;
  OpenColor([&](HWND d) {
    SetRgb(d, 1, 2, 3);
    SendDlgItemMessageA(d, COLOR_ADD, BM_CLICK, 0, 0);
    addedFirst = CustomColorsForTest()[0];
    PressDialogButton(d, IDOK);
  });
  // The dialog keeps custom colours in the table it was given.
  EXPECT_EQ(addedFirst, RGB(1, 2, 3));
  std::vector<COLORREF> atSecond;
  OpenColor([&](HWND d) {
    atSecond.assign(CustomColorsForTest(), CustomColorsForTest() + 16);
    PressDialogButton(d, IDCANCEL);
  });
  EXPECT_EQ(atSecond, std::vector<COLORREF>(16, 0xFFFFFFFF));
}

// Folder picker.

class FolderPickerTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    CreateApp();
  }
  std::string FolderBoxText() const {
    char text[kPathSize] = "";
    GetWindowTextA(FolderBox(), text, sizeof text);
    return text;
  }
  static std::string SelectedFolderName(HWND picker) {
    HWND tree = FindWindowExA(picker, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM item = TreeView_GetSelection(tree);
    char text[kPathSize] = "";
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return "<none>";
    return text;
  }
};

// The picker applies the selection its callback asks for some time after it shows, and under
// Wine now and then not at all; such an opening is closed and the picker opened again (at most
// three times), so a callback that never asks still fails.
TEST_F(FolderPickerTest, OpensOnFolderBoxFolderAndCancelKeepsBox) {
  TempTree t;
  const std::string folder = t.Dir("外側\\選択先");
  SetFolder(folder);
  std::string selected;
  for (int attempt = 0; attempt < 3 && selected != "選択先"; ++attempt) {
    int ticks = 0;
    Open(IDC_BROWSE, [&](HWND d) {
      selected = SelectedFolderName(d);
      if (selected != "選択先" && ++ticks < 50) return RetryDialogWatch();
      PressDialogButton(d, IDCANCEL);
    });
    EXPECT_EQ(FolderBoxText(), folder);
    EXPECT_EQ(settings.folder, folder);
  }
  EXPECT_EQ(selected, "選択先");
}

TEST_F(FolderPickerTest, OkPutsFullPathOfChosenFolderIntoBoxAndSettings) {
  TempTree t;
  const std::string chosen = t.Dir("b\\表示");
  // The box names the folder in another spelling; OK must give the picker's full path of it.
  SetFolder(chosen + "\\");
  bool confirmed = false;
  for (int attempt = 0; attempt < 3 && !confirmed; ++attempt) {
    int ticks = 0;
    Open(IDC_BROWSE, [&](HWND d) {
      confirmed = SelectedFolderName(d) == "表示";
      if (!confirmed && ++ticks < 50) return RetryDialogWatch();
      PressDialogButton(d, confirmed ? IDOK : IDCANCEL);
    });
  }
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(FolderBoxText(), chosen);
  EXPECT_EQ(settings.folder, chosen);
}

TEST_F(FolderPickerTest, EmptyBoxStaysEmptyAfterCancel) {
  SetFolder("");
  Open(IDC_BROWSE, [](HWND d) { PressDialogButton(d, IDCANCEL); });
  EXPECT_EQ(FolderBoxText(), "");
  EXPECT_STREQ(settings.folder, "");
}
