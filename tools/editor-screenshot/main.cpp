// Loads the plug-in as a host does, opens its editor in a window of its own and sets
// a few values through the plug-in, so that the picture shows the real editor at work.
// With --about it also opens the About box the way a user does: a click on the title,
// then "About" from the menu.
//
// Usage: quorvel-editor-screenshot <plug-in DLL> [--exit-after <milliseconds>] [--about]
// Prints the screen rectangle of the editor ("view x y width height") once shown, and
// with --about the About box's client area ("about x y width height").
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "delay/DelayParameterTable.h"
#include "editor/win32/View.h"
#include "host/vst2/VstInterface.h"
#include "tools/module-library/ModuleLibrary.h"

namespace {

const char kFrameClass[] = "QuorvelEditorScreenshotFrame";
constexpr UINT_PTR kExitTimer = 1;
constexpr UINT kPollMilliseconds = 100;

VstIntPtr VSTCALLBACK HostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

// The About box runs modally inside the editor; the exit timer ends it first.
HWND aboutBox = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kExitTimer) {
    KillTimer(hwnd, kExitTimer);
    if (aboutBox != nullptr) EndDialog(aboutBox, IDCANCEL);
    // Closed once the About box's loop has returned out of the editor.
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frameClass.lpszClassName = kFrameClass;
  return RegisterClassExA(&frameClass) != 0;
}

void PrintClientArea(const char* name, HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  std::printf("%s %ld %ld %ld %ld\n", name, origin.x, origin.y, client.right, client.bottom);
  std::fflush(stdout);
}

// The title menu's first item is "About"; once its box is up, it is moved beside the
// editor so that one screen holds both.
void CALLBACK ChooseAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu == nullptr || !IsWindowVisible(menu)) return;
  KillTimer(nullptr, timer);
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

void CALLBACK PlaceAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  KillTimer(nullptr, timer);
  aboutBox = box;
  SetWindowPos(box, nullptr, 600, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  UpdateWindow(box);
  PrintClientArea("about", box);
}

// A click in the middle of the editor's title area, as the user makes it.
void ClickTitle(HWND viewWindow) {
  auto* view = static_cast<VstToolkit::View*>(GetPropA(viewWindow, "object"));
  if (view == nullptr) return;
  RECT title{};
  view->GetTitleRect(title);
  PostMessageA(viewWindow, WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2));
}

// A musical setting: a dotted feel with some feedback, the filter on. The last value
// set is the one the status line shows.
void SetValues(AEffect* effect) {
  const struct {
    int32_t index;
    float value;
  } settings[] = {{DelayParameter::kLeftDelay, 0.62f}, {DelayParameter::kRightDelay, 0.45f},
                  {DelayParameter::kFilter, 1.0f},     {DelayParameter::kCutoff, 0.4f},
                  {DelayParameter::kPan, 1.0f},        {DelayParameter::kMix, 0.4f},
                  {DelayParameter::kFeedback, 0.55f}};
  for (const auto& setting : settings) effect->setParameter(effect, setting.index, setting.value);
}

// The plug-in's instance, or null; `library` keeps the module loaded.
AEffect* LoadPlugin(const char* path, std::unique_ptr<QuorvelHost::ModuleLibrary>& library) {
  std::string error;
  library = QuorvelHost::ModuleLibrary::Open(path, error);
  VstPluginMainProc entry = library != nullptr ? library->FindEntry("VSTPluginMain") : nullptr;
  return entry != nullptr ? entry(HostCallback) : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const char* plugin = nullptr;
  UINT exitAfter = 0;
  bool about = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exit-after") == 0 && i + 1 < argc) {
      exitAfter = static_cast<UINT>(std::strtoul(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--about") == 0) {
      about = true;
    } else {
      plugin = argv[i];
    }
  }
  std::unique_ptr<QuorvelHost::ModuleLibrary> library;
  AEffect* effect = plugin != nullptr ? LoadPlugin(plugin, library) : nullptr;
  if (effect == nullptr) {
    std::fprintf(stderr, "usage: quorvel-editor-screenshot <plug-in DLL> [--exit-after <ms>] [--about]\n");
    return 1;
  }
  ERect* size = nullptr;
  effect->dispatcher(effect, effEditGetRect, 0, 0, &size, 0.0f);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (size == nullptr || !RegisterFrameClass(instance)) return 1;

  RECT outer{0, 0, size->right - size->left, size->bottom - size->top};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&outer, style, FALSE);
  HWND frame = CreateWindowExA(0, kFrameClass, "Quorvel Delay", style, 40, 40, outer.right - outer.left,
                               outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
  if (frame == nullptr || effect->dispatcher(effect, effEditOpen, 0, 0, frame, 0.0f) == 0) return 1;
  // The controls report their starting values as the editor opens; those reports are
  // handled first, so that the status line ends with the last value set here.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  SetValues(effect);
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
  HWND view = FindWindowExA(frame, nullptr, nullptr, nullptr);
  PrintClientArea("view", view);
  if (exitAfter != 0) SetTimer(frame, kExitTimer, exitAfter, nullptr);
  if (about) {
    ClickTitle(view);
    SetTimer(nullptr, 0, kPollMilliseconds, ChooseAbout);
    SetTimer(nullptr, 0, kPollMilliseconds, PlaceAboutBox);
  }
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return 0;
}
