#include "tests/editor/EditorFixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

// After windows.h.
#include <shlwapi.h>

#include "tests/support/BuiltModule.h"
#include "toolkit/win32/ParameterControl.h"
#include "toolkit/win32/StatusControl.h"

namespace QuorvelTest {

namespace {

const char kHostWindowClass[] = "QuorvelEditorTestHost";
const char kViewClass[] = "QuorvelDelayWindowClass";
const char kKnobClass[] = "QuorvelWindowsToolkitKnob";
const char kSwitchClass[] = "QuorvelWindowsToolkitMultiswitch";
const char kStatusClass[] = "QuorvelWindowsToolkitStatusControl";
constexpr UINT kTickMilliseconds = 30;
constexpr int kGiveUpTicks = 300;  // 9 s: a modal loop that outlives this would hang the test

TraceRecorder* recorder = nullptr;

LONG CALLBACK RecordTrace(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (recorder != nullptr && record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    recorder->lines.emplace_back(reinterpret_cast<const char*>(record->ExceptionInformation[1]));
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

struct RunningScript {
  std::vector<ModalScript::Step> steps;
  size_t next = 0;
  int ticks = 0;
  UINT_PTR timer = 0;
};
RunningScript* running = nullptr;

}  // namespace

void AbandonModalLoops() {
  if (HWND menu = FindWindowA("#32768", nullptr)) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
      },
      0);
}

namespace {

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running == nullptr) return;
  if (running->next < running->steps.size()) {
    if (running->steps[running->next]()) ++running->next;
  }
  if (running->next < running->steps.size() && ++running->ticks > kGiveUpTicks) AbandonModalLoops();
}

}  // namespace

TraceRecorder::TraceRecorder() {
  static PVOID handler = AddVectoredExceptionHandler(1, RecordTrace);
  (void)handler;
  recorder = this;
}

TraceRecorder::~TraceRecorder() {
  recorder = nullptr;
}

ModalScript::ModalScript(std::vector<Step> steps) {
  running = new RunningScript{std::move(steps)};
  running->timer = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

ModalScript::~ModalScript() {
  KillTimer(nullptr, running->timer);
  delete running;
  running = nullptr;
}

bool ModalScript::Finished() const {
  return running->next == running->steps.size();
}

ModalScript::Step ModalScript::ChooseMenuItem(int downs, std::vector<std::string>* items) {
  return [downs, items]() {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (menuWindow == nullptr || !IsWindowVisible(menuWindow)) return false;
    if (items != nullptr) {
      auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
      items->clear();
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items->emplace_back(text);
      }
    }
    if (downs < 0) {
      PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
      return true;
    }
    for (int i = 0; i < downs; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    return true;
  };
}

ModalScript::Step ModalScript::PressInWindow(const char* caption, WORD id, std::string* text) {
  return [caption, id, text]() {
    HWND window = FindWindowA(nullptr, caption);
    if (window == nullptr || !IsWindowVisible(window)) return false;
    if (text != nullptr) {
      char buffer[256] = {};
      GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);  // a message box's text
      *text = buffer;
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return true;
  };
}

void EditorTest::SetUp() {
  const QuorvelHost::ModuleLibrary* module = BuiltModule();
  ASSERT_NE(module, nullptr) << QUORVEL_MODULE_PATH;
  VstPluginMainProc entry = module->FindEntry("VSTPluginMain");
  ASSERT_NE(entry, nullptr);
  effect = entry(&RecordingHost::Callback);
  ASSERT_NE(effect, nullptr);

  static const bool registered = [] {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kHostWindowClass;
    return RegisterClassExA(&windowClass) != 0;
  }();
  ASSERT_TRUE(registered);
  parent = CreateWindowExA(0, kHostWindowClass, "Editor test host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 496,
                           344, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  // Shown without activation: under Wine without a window manager, destroying the
  // active window waits for focus events that never come.
  ShowWindow(parent, SW_SHOWNOACTIVATE);
}

void EditorTest::TearDown() {
  CloseInstance();
  if (parent != nullptr) DestroyWindow(parent);
  parent = nullptr;
  Pump();
}

VstIntPtr EditorTest::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
  return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
}

bool EditorTest::OpenEditor() {
  const bool opened = Dispatch(effEditOpen, 0, 0, parent) == 1;
  // The controls' creation-time notifications are handled like any others.
  Pump();
  return opened;
}

void EditorTest::CloseInstance() {
  if (effect != nullptr) Dispatch(effClose);
  effect = nullptr;
}

void EditorTest::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

HWND EditorTest::View() const {
  return FindWindowExA(parent, nullptr, kViewClass, nullptr);
}

std::vector<HWND> EditorTest::ChildrenOfClass(const char* className) const {
  std::vector<HWND> found;
  HWND view = View();
  for (HWND child = FindWindowExA(view, nullptr, className, nullptr); child != nullptr;
       child = FindWindowExA(view, child, className, nullptr)) {
    found.push_back(child);
  }
  return found;
}

bool Placed::operator<(const Placed& o) const {
  return std::tie(className, parameter, x, y, w, h) < std::tie(o.className, o.parameter, o.x, o.y, o.w, o.h);
}

bool Placed::operator==(const Placed& o) const {
  return std::tie(className, parameter, x, y, w, h) == std::tie(o.className, o.parameter, o.x, o.y, o.w, o.h);
}

void PrintTo(const Placed& p, std::ostream* out) {
  *out << p.className << " #" << p.parameter << " at " << p.x << "," << p.y << " " << p.w << "x" << p.h;
}

std::vector<Placed> EditorTest::PlacedChildren() const {
  std::vector<Placed> found;
  HWND view = View();
  for (HWND child = GetWindow(view, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, view, reinterpret_cast<POINT*>(&r), 2);
    const std::string name = className;
    const bool isParameterControl = name == kKnobClass || name == kSwitchClass;
    found.push_back({name, isParameterControl ? ControlObject(child)->parameterIndex : -1, r.left, r.top,
                     r.right - r.left, r.bottom - r.top});
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::unique_ptr<Gdiplus::Bitmap> EditorTest::PictureOfModule(int id) {
  static ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  if (token == 0 && Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return nullptr;
  HMODULE module = GetModuleHandleA("QuorvelDelay.dll");
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "PNG");
  if (found == nullptr) return nullptr;
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  IStream* stream = SHCreateMemStream(bytes, SizeofResource(module, found));
  if (stream == nullptr) return nullptr;
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(stream);
  stream->Release();
  return bitmap;
}

int EditorTest::WorstDifferenceFrom(Gdiplus::Bitmap& picture, int& compared) const {
  HWND view = View();
  HDC dc = GetDC(view);
  int worst = 0;
  compared = 0;
  const auto width = static_cast<int>(picture.GetWidth()), height = static_cast<int>(picture.GetHeight());
  for (int y = 2; y < height; y += 7) {
    for (int x = 3; x < width; x += 7) {
      POINT point{x, y};
      if (ChildWindowFromPointEx(view, point, CWP_SKIPINVISIBLE) != view) continue;  // a control's face
      Gdiplus::Color expected;
      picture.GetPixel(x, y, &expected);
      const COLORREF shown = GetPixel(dc, x, y);
      worst = std::max({worst, std::abs(GetRValue(shown) - expected.GetR()),
                        std::abs(GetGValue(shown) - expected.GetG()),
                        std::abs(GetBValue(shown) - expected.GetB())});
      ++compared;
    }
  }
  ReleaseDC(view, dc);
  return worst;
}

WindowsToolkit::ParameterControl* EditorTest::ControlObject(HWND control) {
  return static_cast<WindowsToolkit::ParameterControl*>(GetPropA(control, "object"));
}

HWND EditorTest::ControlOf(int32_t parameter) const {
  for (const char* className : {kKnobClass, kSwitchClass}) {
    for (HWND control : ChildrenOfClass(className)) {
      if (ControlObject(control)->parameterIndex == parameter) return control;
    }
  }
  return nullptr;
}

float EditorTest::ControlValue(int32_t parameter) const {
  HWND control = ControlOf(parameter);
  return control != nullptr ? ControlObject(control)->GetValue() : -1.0f;
}

std::string EditorTest::StatusText() const {
  HWND status = FindWindowExA(View(), nullptr, kStatusClass, nullptr);
  if (status == nullptr) return "<no status line>";
  return static_cast<WindowsToolkit::StatusControl*>(GetPropA(status, "object"))->GetText();
}

LRESULT EditorTest::Mouse(HWND hwnd, UINT message, WPARAM keys, int x, int y) {
  return SendMessageA(hwnd, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void EditorTest::Hover(int32_t parameter) const {
  Mouse(ControlOf(parameter), WM_MOUSEHOVER, 0, 4, 4);
  Pump();
}

void EditorTest::Leave(int32_t parameter) const {
  SendMessageA(ControlOf(parameter), WM_MOUSELEAVE, 0, 0);
  Pump();
}

void EditorTest::RightClick(int32_t parameter) const {
  Mouse(ControlOf(parameter), WM_RBUTTONDOWN, MK_RBUTTON, 4, 4);
  Pump();
}

void EditorTest::ClickView(int x, int y) const {
  Mouse(View(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  Mouse(View(), WM_LBUTTONUP, 0, x, y);
  Pump();
}

void EditorTest::SetParameter(int32_t index, float value) {
  effect->setParameter(effect, index, value);
}

float EditorTest::GetParameter(int32_t index) {
  return effect->getParameter(effect, index);
}

void EditorTest::ProcessControlChange(int number, int value) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof event;
  event.midiData[0] = static_cast<char>(0xB0);
  event.midiData[1] = static_cast<char>(number);
  event.midiData[2] = static_cast<char>(value);
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  Dispatch(effProcessEvents, 0, 0, &events);
  std::vector<float> left(64), right(64), outLeft(64), outRight(64);
  float* inputs[2] = {left.data(), right.data()};
  float* outputs[2] = {outLeft.data(), outRight.data()};
  effect->processReplacing(effect, inputs, outputs, 64);
}

std::vector<RecordingHost::Call> EditorTest::Automations() const {
  return host.CallsOf(audioMasterAutomate);
}

}  // namespace QuorvelTest
