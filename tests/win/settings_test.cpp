#include "support/WinTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>
#include <cstring>

#include "app/MainWindow_win.h"
#include "app/Startup_win.h"
#include "resource.h"
#include "settings/SettingsFile_win.h"

class SettingsTest : public AppTest {};

TEST_F(SettingsTest, FirstStartUsesDefaults) {
  CreateApp();
  EXPECT_STREQ(settings.filter, "*.*");
  EXPECT_EQ(settings.includeSubfolders, 1);
  EXPECT_EQ(settings.autoWidth, 0);
  EXPECT_EQ(settings.clearFirst, 1);
  EXPECT_EQ(settings.color, 0xE6FFFFu);
  EXPECT_STREQ(settings.folder, "");
  RECT r;
  GetWindowRect(main_, &r);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
  for (int c = 0; c < 17; ++c) EXPECT_EQ(SendMessageA(List(), LVM_GETCOLUMNWIDTH, c, 0), 100) << c;
}

TEST_F(SettingsTest, EveryKeyRoundTrips) {
  WriteIni("FILTER", "*.txt;*.log");
  WriteIni("SUB", "0");
  WriteIni("AUTO", "1");
  WriteIni("DELETE", "0");
  WriteIni("TOP", "40");
  WriteIni("BOTTOM", "400");
  WriteIni("LEFT", "30");
  WriteIni("RIGHT", "600");
  WriteIni("COLOR", "-16777216");  // any COLORREF, written as signed decimal
  WriteIni("DIR1", "C:\\図表");
  for (int c = 0; c < 17; ++c) {
    char key[16];
    wsprintfA(key, "COLMN%02d", c + 1);
    WriteIni(key, std::to_string(50 + c));
  }
  CreateApp();
  EXPECT_EQ(settings.color, 0xFF000000u);
  char folder[260];
  GetWindowTextA(FolderBox(), folder, sizeof folder);
  EXPECT_STREQ(folder, "C:\\図表");
  std::string before[] = {"*.txt;*.log", "0", "1", "0", "40", "400", "30", "600", "-16777216", "C:\\図表"};
  DeleteFileA(iniPath_.c_str());
  DestroyApp();  // saves
  const char* keys[] = {"FILTER", "SUB", "AUTO", "DELETE", "TOP", "BOTTOM", "LEFT", "RIGHT", "COLOR", "DIR1"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(IniValue(keys[i]), before[i]) << keys[i];
  for (int c = 0; c < 17; ++c) {
    char key[16];
    wsprintfA(key, "COLMN%02d", c + 1);
    EXPECT_EQ(IniValue(key), std::to_string(50 + c)) << key;
  }
}

TEST_F(SettingsTest, FolderTypedButNeverScannedIsSaved) {
  CreateApp();
  SetWindowTextA(FolderBox(), "C:\\typed");
  DestroyApp();
  EXPECT_EQ(IniValue("DIR1"), "C:\\typed");
}

TEST_F(SettingsTest, WindowSizeAndColumnWidthsChangedByTheUserAreSaved) {
  CreateApp();
  MoveWindow(main_, 15, 25, 700, 500, TRUE);
  SendMessageA(List(), LVM_SETCOLUMNWIDTH, 16, 333);
  DestroyApp();
  EXPECT_EQ(IniValue("LEFT"), "15");
  EXPECT_EQ(IniValue("TOP"), "25");
  EXPECT_EQ(IniValue("RIGHT"), "700");
  EXPECT_EQ(IniValue("BOTTOM"), "500");
  EXPECT_EQ(IniValue("COLMN17"), "333");
}

TEST_F(SettingsTest, QueryEndSessionSavesAndAsksToQuit) {
  CreateApp();
  SetWindowTextA(FolderBox(), "C:\\ending");
  EXPECT_EQ(SendMessageA(main_, WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(IniValue("DIR1"), "C:\\ending");
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quit = true;
    else DispatchMessageA(&msg);
  }
  EXPECT_TRUE(quit);
  EXPECT_TRUE(IsWindow(main_));
}

TEST_F(SettingsTest, WindowKeepsItsMinimumSize) {
  CreateApp();
  MINMAXINFO info = {};
  SendMessageA(main_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 280);
  EXPECT_EQ(info.ptMinTrackSize.y, 240);
}

TEST_F(SettingsTest, LayoutFollowsTheClientArea) {
  CreateApp();
  MoveWindow(main_, 0, 0, 800, 600, TRUE);
  RECT client, box, list, bar;
  GetClientRect(main_, &client);
  auto place = [this](HWND child, RECT& r) {
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&r), 2);
  };
  place(FolderBox(), box);
  place(List(), list);
  place(StatusBar(), bar);
  EXPECT_EQ(box.left, 80);
  EXPECT_EQ(box.right - box.left, client.right - 95);
  EXPECT_EQ(list.top, 40);
  EXPECT_EQ(list.right - list.left, client.right - 25);
  EXPECT_EQ(list.bottom - list.top, client.bottom - 70);
  EXPECT_EQ(bar.bottom, client.bottom);
}

TEST_F(SettingsTest, DroppedPathBecomesTheFolderText) {
  CreateApp();
  // A drop handle as the shell builds it: DROPFILES followed by ANSI names and an empty one.
  const char names[] = "C:\\dropped\\file.txt\0C:\\second\0";
  HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof names);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
  drop->pFiles = sizeof(DROPFILES);
  memcpy(drop + 1, names, sizeof names);
  GlobalUnlock(mem);
  MSG msg = {FolderBox(), WM_DROPFILES, reinterpret_cast<WPARAM>(mem), 0};
  DispatchLoopMessage(msg);
  char text[260];
  GetWindowTextA(FolderBox(), text, sizeof text);
  EXPECT_STREQ(text, "C:\\dropped\\file.txt");
}
