#include "support/DialogSupport.h"

namespace {

std::string FromWide(const wchar_t* text, int length) {
  int n = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(932, 0, text, length, &out[0], n, nullptr, nullptr);
  return out;
}

class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* p) : p_(p), start_(p) {}
  DWORD Dword() { DWORD v; CopyMemory(&v, p_, 4); p_ += 4; return v; }
  WORD Word() { WORD v; CopyMemory(&v, p_, 2); p_ += 2; return v; }
  short Short() { return static_cast<short>(Word()); }
  std::string String() {
    const wchar_t* s = reinterpret_cast<const wchar_t*>(p_);
    int n = lstrlenW(s);
    p_ += (n + 1) * 2;
    return FromWide(s, n);
  }
  // A name or an ordinal; an ordinal comes back as "#n". Empty when absent.
  std::string NameOrOrdinal() {
    WORD first;
    CopyMemory(&first, p_, 2);
    if (first == 0xFFFF) {
      p_ += 2;
      return "#" + std::to_string(Word());
    }
    return String();
  }
  void AlignDword() { p_ = start_ + ((p_ - start_ + 3) & ~3); }
  void Skip(int bytes) { p_ += bytes; }

 private:
  const BYTE* p_;
  const BYTE* start_;
};

std::string PredefinedClass(const std::string& name) {
  static const char* const kNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  if (name.size() > 1 && name[0] == '#') {
    int atom = std::stoi(name.substr(1));
    if (atom >= 0x80 && atom <= 0x85) return kNames[atom - 0x80];
  }
  return name;
}

}  // namespace

DialogTemplateInfo ReadDialogTemplate(const char* name) {
  DialogTemplateInfo info;
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, name, RT_DIALOG);
  if (!res) return info;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
  TemplateReader r(data);
  info.found = true;
  info.style = r.Dword();
  info.exStyle = r.Dword();
  int count = r.Word();
  info.x = r.Short();
  info.y = r.Short();
  info.cx = r.Short();
  info.cy = r.Short();
  info.hasMenu = !r.NameOrOrdinal().empty();
  info.hasClass = !r.NameOrOrdinal().empty();
  info.title = r.String();
  if (info.style & DS_SETFONT) {
    info.pointSize = r.Word();
    info.fontName = r.String();
  }
  for (int i = 0; i < count; ++i) {
    r.AlignDword();
    DialogItemInfo item;
    item.style = r.Dword();
    r.Dword();  // extended style
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = r.Short();
    item.className = PredefinedClass(r.NameOrOrdinal());
    item.text = r.NameOrOrdinal();
    r.Skip(r.Word());
    info.items.push_back(item);
  }
  return info;
}

std::string ItemText(HWND dialog, int id) {
  char text[1024] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string text(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(lstrlenA(text.c_str()));
    items.push_back(text);
  }
  return items;
}

std::vector<int> TabOrderFrom(HWND dialog, int firstId) {
  std::vector<int> ids;
  HWND first = GetDlgItem(dialog, firstId);
  HWND next = first;
  while ((next = GetNextDlgTabItem(dialog, next, FALSE)) != nullptr && next != first && ids.size() < 32)
    ids.push_back(GetDlgCtrlID(next));
  return ids;
}

namespace {
HWND probedDialog;
bool probeFoundOpen;
UINT_PTR probeTimer;

void CALLBACK ProbeTimer(HWND, UINT, UINT_PTR, DWORD) {
  KillTimer(nullptr, probeTimer);
  probeTimer = 0;
  if (probedDialog && IsWindow(probedDialog)) {
    probeFoundOpen = true;
    EndDialog(probedDialog, 0);
  }
}
}  // namespace

void StillOpenProbe::Arm(HWND dialog) {
  probedDialog = dialog;
  probeFoundOpen = false;
  probeTimer = SetTimer(nullptr, 0, 10, ProbeTimer);
}
StillOpenProbe::~StillOpenProbe() {
  if (probeTimer) KillTimer(nullptr, probeTimer);
  probeTimer = 0;
  probedDialog = nullptr;
}
bool StillOpenProbe::WasStillOpen() const { return probeFoundOpen; }

bool PointNeedsPaint(HWND window, POINT p) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  bool inside = GetUpdateRgn(window, region, FALSE) != ERROR && PtInRegion(region, p.x, p.y);
  DeleteObject(region);
  return inside;
}
