// The main window as the program runs it: how it ends and what it saves then, and drops.
#include "support/Support.h"  // first: it brings windows.h

#include <commctrl.h>
#include <shlobj.h>

#include "app/MainWindow_win.h"
#include "app/Startup_win.h"
#include "resource.h"
#include "scan/FileList_win.h"

// The program's main loop, given some 10 s: true once WM_QUIT reaches it.
static bool LoopUntilQuit() {
  const UINT_PTR timeOut = SetTimer(nullptr, 0, 10000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_TIMER && msg.wParam == timeOut))
    DispatchLoopMessage(msg);
  KillTimer(nullptr, timeOut);
  return msg.message == WM_QUIT;
}

class App : public ::testing::Test {
 protected:
  void Open(int show = SW_SHOWNORMAL) {
    static const bool ready = (InitCommonControls(), RegisterMainWindowClass(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(ready);
    window = CreateMainWindow(GetModuleHandleA(nullptr), show, ini.c_str());
    folderBox = FindWindowExA(window, nullptr, "EDIT", nullptr);
    list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {}  // the quits it posted
  }
  // Sends message from inside a scan the loop started (in its listing pass or before): saved then, as it is, once.
  LRESULT EndDuringScan(UINT message, bool listing) {
    for (char name[] = "f0\\a.txt"; name[1] <= '9'; ++name[1]) t.File(std::string("tree\\") + name);
    const std::string tree = t.Root() + "\\tree";
    t.File("FILORA.INI", "[OPTION]\r\nDIR1=" + tree + "\r\n");
    Open();
    LRESULT answer = -1;
    bool saved = false;
    PostMessageA(window, WM_COMMAND, IDM_START, 0);  // queued first: the scan handles the action
    DuringScan([&] {
      if (listing != (RowCount(list) > 0)) return false;
      SetWindowTextA(folderBox, (tree + "\\").c_str());  // the same folder: a scan goes on alike
      ListView_SetColumnWidth(list, 16, 123);
      answer = SendMessageA(window, message, 0, 0);
      saved = IniValue(ini, "DIR1") == tree + "\\" && IniValue(ini, "COLMN17") == "123";
      DeleteFileA(ini.c_str());  // a second save would write it anew
      return true;
    });
    EXPECT_TRUE(LoopUntilQuit()) << "the program did not end";
    EXPECT_TRUE(saved);
    EXPECT_EQ(GetFileAttributesA(ini.c_str()), INVALID_FILE_ATTRIBUTES) << "saved again";
    return answer;
  }
  TempTree t;
  const std::string ini = t.Root() + "\\FILORA.INI";
  HWND window = nullptr, folderBox = nullptr, list = nullptr;
};

TEST_F(App, ClosingDuringTheCountingPassEndsTheProgramSavingOnce) { EndDuringScan(WM_CLOSE, false); }

TEST_F(App, ClosingDuringTheListingPassEndsTheProgramSavingOnce) { EndDuringScan(WM_CLOSE, true); }

TEST_F(App, SessionEndDuringAScanSavesQuitsAndTheScanUnwinds) {
  EXPECT_EQ(EndDuringScan(WM_QUERYENDSESSION, false), TRUE);
  EXPECT_EQ(RowCount(list), 0);  // the listing pass never began
}

TEST_F(App, StopFromTheMenuThenTheDeleteKeyCountsTheRowsLeft) {
  for (const char* name : {"tree\\a.txt", "tree\\b.txt", "tree\\s\\c.txt"}) t.File(name);
  t.File("FILORA.INI", "[OPTION]\r\nDIR1=" + t.Root() + "\\tree\r\n");
  Open();
  DuringScan([&] { return SendMessageA(window, WM_COMMAND, IDM_STOP, 0), true; });  // at the top folder
  SendMessageA(window, WM_COMMAND, IDM_START, 0);
  EXPECT_EQ(RowCount(list), 2);
  EXPECT_EQ(GetMenuState(GetMenu(window), IDM_START, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
  LVITEMA select = {0, 0, 0, LVIS_SELECTED, LVIS_SELECTED};
  SendMessageA(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
  SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  char status[64] = "";
  SendMessageA(FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(RowCount(list), 1);
  EXPECT_STREQ(status, "1/1件");
}

TEST_F(App, AMinimizedOrMaximizedWindowIsSavedAtItsNormalPlace) {
  for (int show : {SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}) {
    t.File("FILORA.INI", "[OPTION]\r\nLEFT=100\r\nTOP=50\r\nRIGHT=500\r\nBOTTOM=400\r\n");
    Open(show);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(IniValue(ini, "LEFT") + "," + IniValue(ini, "TOP") + "," + IniValue(ini, "RIGHT") + "," +
                  IniValue(ini, "BOTTOM"), "100,50,500,400") << "show command " << show;
  }
}

TEST_F(App, AFileDroppedOnTheFolderBoxPutsTheFirstPathThere) {
  Open();
  struct Drop { DROPFILES header; char names[32]; };  // the names end in an empty one
  auto* drop = static_cast<Drop*>(GlobalAlloc(GPTR, sizeof(Drop)));  // fixed memory: its own handle
  *drop = {{sizeof(DROPFILES)}, "C:\\dropped\\first.txt\0C:\\second"};
  MSG msg = {folderBox, WM_DROPFILES, reinterpret_cast<WPARAM>(drop)};
  DispatchLoopMessage(msg);
  char text[MAX_PATH] = "";
  GetWindowTextA(folderBox, text, sizeof text);
  EXPECT_STREQ(text, "C:\\dropped\\first.txt");
}
