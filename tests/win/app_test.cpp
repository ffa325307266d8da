// The main window as the program runs it: how it ends and what it saves then, drops, one instance.
#include "support/Support.h"  // first: it brings windows.h

#include <commctrl.h>
#include <shlobj.h>

#include <memory>

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

// The main window in this process, on a settings file of its own.
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
  // Starts a scan of ten one-file folders from the loop and, from inside it (in the listing pass or
  // before it), sends message. The settings must be saved then, as they are, and not again.
  LRESULT EndDuringScan(UINT message, bool listing) {
    for (char name[] = "f0\\a.txt"; name[1] <= '9'; ++name[1]) t.File(std::string("tree\\") + name);
    const std::string tree = t.Root() + "\\tree";
    WriteIni(ini, "DIR1", tree);
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
  PostMessageA(folderBox, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, folderBox, WM_DROPFILES, WM_DROPFILES, PM_REMOVE));
  DispatchLoopMessage(msg);
  char text[MAX_PATH] = "";
  GetWindowTextA(folderBox, text, sizeof text);
  EXPECT_STREQ(text, "C:\\dropped\\first.txt");
}

static int FiloraWindows() {
  int n = 0;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "FILORA", nullptr)) != nullptr;) ++n;
  return n;
}

// Starts exe as a process of its own, which is ended, if it has not ended by itself, with the handle.
static std::shared_ptr<void> Start(std::string exe) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION p = {};
  EXPECT_TRUE(CreateProcessA(nullptr, &exe[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &p));
  if (p.hThread) CloseHandle(p.hThread);
  return {p.hProcess, [](HANDLE h) { if (h) TerminateProcess(h, 1), WaitForSingleObject(h, 5000), CloseHandle(h); }};
}

TEST(SingleInstance, ASecondStartEndsAtOnceLeavingOneWindow) {
  TempTree t;
  const std::string exe = t.Root() + "\\FILORA.EXE";
  ASSERT_TRUE(CopyFileA((ExeFolder() + "\\FILORA.EXE").c_str(), exe.c_str(), FALSE));
  ASSERT_EQ(FiloraWindows(), 0);
  const auto first = Start(exe);
  ASSERT_TRUE(PumpUntil([] { return FiloraWindows() == 1; }, 20000));
  const auto second = Start(exe);
  EXPECT_EQ(WaitForSingleObject(second.get(), 10000), WAIT_OBJECT_0) << "the second did not end";
  EXPECT_EQ(FiloraWindows(), 1);
}
