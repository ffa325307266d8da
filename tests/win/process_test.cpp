// The program as its own process: how it ends, and what it leaves in its settings file, when it is
// closed or asked to end in the middle of things, or started a second time.
#include "support/FaultSupport.h"
#include "support/WinTestSupport.h"

#include "resource.h"

namespace {

constexpr DWORD kExitTimeout = 30000;
constexpr DWORD kScanTimeout = 60000;

}  // namespace

class ProcessTest : public ::testing::Test {
 protected:
  void PrepareScan(const std::string& folder) {
    child_.WriteIni("DIR1", folder);
    child_.WriteIni("FILTER", "*.*");
    child_.WriteIni("SUB", "1");
    child_.WriteIni("DELETE", "1");
    // A finished scan sizes every column to its content; an interrupted one leaves them at 77.
    child_.WriteIni("AUTO", "1");
    for (int c = 1; c <= 17; ++c) child_.WriteIni(ColumnKey(c).c_str(), "77");
  }
  static std::string ColumnKey(int number) {
    char key[16];
    wsprintfA(key, "COLMN%02d", number);
    return key;
  }
  // The settings were saved while the scan was still running.
  void ExpectSavedMidScan() {
    for (int c = 1; c <= 17; ++c) EXPECT_EQ(child_.IniValue(ColumnKey(c).c_str()), "77") << c;
  }
  void StartAndWait() {
    ASSERT_TRUE(child_.Start());
    ASSERT_NE(child_.WaitForWindow(), nullptr) << "no window appeared";
  }
  void ExpectEndsByItself() {
    DWORD code = 99;
    ASSERT_TRUE(child_.WaitForExit(kExitTimeout, &code)) << "the program did not end and was stopped";
    EXPECT_EQ(code, 0u);
  }
  // The program has written its settings: the test itself never writes the window's width.
  void ExpectSettingsSaved(const std::string& folder) {
    EXPECT_NE(child_.IniValue("RIGHT"), "<missing>");
    EXPECT_EQ(child_.IniValue("DIR1"), folder);
  }
  // The scan takes one message per folder it visits, so messages queued with the Start command
  // reach it at a known folder: `message` arrives with the folder after the first `folders`.
  void StartScanAndPostAfter(int folders, UINT message) {
    child_.Post(WM_COMMAND, IDM_START);
    for (int i = 0; i < folders; ++i) child_.Post(WM_NULL);
    child_.Post(message);
  }
  // n folders with the given files each.
  static void MakeFolders(TempTree& t, int n, std::initializer_list<const char*> files) {
    for (int i = 0; i < n; ++i) {
      char dir[16];
      wsprintfA(dir, "f%03d", i);
      t.Dir(dir);
      for (const char* file : files) t.File(std::string(dir) + "\\" + file);
    }
  }

  ChildProgram child_;
};

TEST_F(ProcessTest, ClosingDuringTheCountingPassEndsTheProgramAndSavesItsSettings) {
  TempTree t;
  MakeFolders(t, 10, {"a.txt", "b.txt", "c.txt"});
  PrepareScan(t.Root());
  StartAndWait();
  StartScanAndPostAfter(4, WM_CLOSE);  // eleven folders are counted
  ExpectEndsByItself();
  ExpectSettingsSaved(t.Root());
  ExpectSavedMidScan();
}

TEST_F(ProcessTest, ClosingDuringTheListingPassEndsTheProgramAndSavesItsSettings) {
  TempTree t;
  MakeFolders(t, 10, {"a.txt", "b.txt", "c.txt"});
  PrepareScan(t.Root());
  StartAndWait();
  StartScanAndPostAfter(11 + 5, WM_CLOSE);
  ExpectEndsByItself();
  ExpectSettingsSaved(t.Root());
  ExpectSavedMidScan();
}

TEST_F(ProcessTest, SessionEndDuringAScanEndsTheProgramAndSavesItsSettings) {
  TempTree t;
  MakeFolders(t, 10, {"a.txt", "b.txt", "c.txt"});
  PrepareScan(t.Root());
  StartAndWait();
  StartScanAndPostAfter(11 + 5, WM_QUERYENDSESSION);
  ExpectEndsByItself();
  ExpectSettingsSaved(t.Root());
  ExpectSavedMidScan();
}

TEST_F(ProcessTest, ClosingWhileTheColourDialogHoldsAScanEndsTheProgram) {
  TempTree t;
  MakeFolders(t, 3, {"a.txt"});
  PrepareScan(t.Root());
  StartAndWait();
  child_.Post(WM_COMMAND, IDM_START);
  child_.Post(WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));  // taken by the scan: the colour dialog opens
  ASSERT_NE(child_.WaitForDialog(kScanTimeout), nullptr);
  child_.Post(WM_CLOSE);
  ExpectEndsByItself();
  ExpectSettingsSaved(t.Root());
  ExpectSavedMidScan();
}

TEST_F(ProcessTest, SecondInstanceDuringAScanLeavesAtOnceAndTheFirstFinishes) {
  TempTree t;
  MakeFolders(t, 3, {"a.txt", "b.txt"});
  PrepareScan(t.Root());
  StartAndWait();
  // The colour dialog holds the scan half done while the second instance comes and goes.
  child_.Post(WM_COMMAND, IDM_START);
  child_.Post(WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  HWND colour = child_.WaitForDialog(kScanTimeout);
  ASSERT_NE(colour, nullptr);
  const std::string before = ReadFileBytes(child_.IniPath());
  DWORD code = 99;
  ASSERT_TRUE(child_.RunSecondInstance(kExitTimeout, &code)) << "the second instance did not end";
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadFileBytes(child_.IniPath()), before);
  PostMessageA(colour, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(child_.WaitForStatus([](const std::string& s) { return s == "6/6件"; }, kScanTimeout))
      << child_.StatusText();
  child_.Post(WM_CLOSE);
  ExpectEndsByItself();
}

TEST_F(ProcessTest, SecondStartRestoresTheMinimizedFirstAndLeavesTheSettingsAlone) {
  child_.WriteIni("DIR1", "C:\\first");
  StartAndWait();
  HWND first = child_.Window();
  ShowWindow(first, SW_MINIMIZE);
  DWORD deadline = GetTickCount() + kExitTimeout;
  while (!IsIconic(first) && TimeLeft(deadline) > 0) Sleep(20);
  ASSERT_TRUE(IsIconic(first));
  const std::string before = ReadFileBytes(child_.IniPath());
  DWORD code = 99;
  ASSERT_TRUE(child_.RunSecondInstance(kExitTimeout, &code)) << "the second instance did not end";
  EXPECT_EQ(code, 0u);
  deadline = GetTickCount() + kExitTimeout;
  while (IsIconic(first) && TimeLeft(deadline) > 0) Sleep(20);
  EXPECT_FALSE(IsIconic(first)) << "the first window was not restored";
  EXPECT_EQ(ReadFileBytes(child_.IniPath()), before);
  child_.Post(WM_CLOSE);
  ExpectEndsByItself();
}

TEST_F(ProcessTest, GarbledSettingsStillOpenAReachableWindowAndTheProgramEndsCleanly) {
  child_.WriteIni("LEFT", "99999");
  child_.WriteIni("TOP", "-99999");
  child_.WriteIni("RIGHT", "100000000");
  child_.WriteIni("BOTTOM", "abc");
  child_.WriteIni("COLMN05", "-5");
  child_.WriteIni("COLMN06", "2000000000");
  child_.WriteIni("COLOR", "\xFF\xFE");
  child_.WriteIni("DIR1", "C:\\" + std::string(4997, 'x'));
  child_.WriteIni("FILTER", std::string(5000, ';'));
  StartAndWait();
  RECT r;
  ASSERT_TRUE(GetWindowRect(child_.Window(), &r));
  const int sx = GetSystemMetrics(SM_XVIRTUALSCREEN), sy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_GE(r.top, sy);
  EXPECT_LE(r.top + 20, sy + sh);
  EXPECT_LE(r.left + 40, sx + sw);
  EXPECT_GE(r.right, sx + 40);
  EXPECT_LE(r.right - r.left, sw);
  EXPECT_GE(r.bottom - r.top, 240);
  child_.Post(WM_COMMAND, IDM_START);
  child_.Post(WM_CLOSE);
  ExpectEndsByItself();
  EXPECT_EQ(child_.IniValue("LEFT"), std::to_string(r.left));
  EXPECT_EQ(child_.IniValue("COLMN05"), "0");
  EXPECT_EQ(child_.IniValue("COLMN06"), "10000");
  EXPECT_EQ(child_.IniValue("DIR1").size(), 259u);
}

TEST_F(ProcessTest, SettingsFileHeldOpenAtExitStillLetsTheProgramEnd) {
  child_.WriteIni("DIR1", "C:\\before");
  StartAndWait();
  HeldFile holder(child_.IniPath());
  ASSERT_TRUE(holder.Held());
  child_.Post(WM_CLOSE);
  ExpectEndsByItself();
  holder.Release();
  EXPECT_EQ(child_.IniValue("DIR1"), "C:\\before");
  EXPECT_EQ(child_.IniValue("RIGHT"), "<missing>") << "nothing could be written";
}
