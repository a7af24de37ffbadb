#include "tests/editor-x11/X11EditorFixture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "tests/support/BuiltModule.h"

namespace QuorvelTest {

namespace {

// The test host talks to the server from several threads (the menu drivers).
const bool threadsReady = XInitThreads() != 0;

// The drivers' connections. A driver looks through the top-level windows while the
// editor opens and closes its menu and boxes, and a window gone between the listing
// and the look fails on the driver's connection: its own error, not the plug-in's.
std::mutex driversLock;
std::vector<Display*> drivers;

int RecordHostError(Display* connection, XErrorEvent*) {
  const std::lock_guard<std::mutex> hold(driversLock);
  if (std::find(drivers.begin(), drivers.end(), connection) == drivers.end()) ++X11EditorTest::hostErrors;
  return 0;
}

// Xvfb resets once its last client leaves (as when the previous test process ends),
// and refuses a connection asked for meanwhile: a refusal is retried for a while.
Display* OpenRetried() {
  Display* opened = XOpenDisplay(nullptr);
  for (int attempt = 0; opened == nullptr && attempt < 100; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    opened = XOpenDisplay(nullptr);
  }
  return opened;
}

void Pause(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool Named(Display* display, ::Window window, const std::string& name) {
  char* title = nullptr;
  bool found = XFetchName(display, window, &title) != 0 && title != nullptr && name == title;
  if (title != nullptr) XFree(title);
  XClassHint hint{};
  if (!found && XGetClassHint(display, window, &hint) != 0) {
    found = hint.res_class != nullptr && name == hint.res_class;
  }
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return found;
}

::Window FindShown(Display* display, const std::string& name) {
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  ::Window found = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable &&
        Named(display, children[i], name)) {
      found = children[i];
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

}  // namespace

int X11EditorTest::hostErrors = 0;

void X11EditorTest::SetUp() {
  ASSERT_TRUE(threadsReady);
  if (getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display; tools/run-tests.sh runs these under Xvfb";
  // One host connection for the whole process, so that the server does not reset between its tests.
  static Display* const shared = OpenRetried();
  display = shared;
  ASSERT_NE(display, nullptr) << "cannot open the display " << getenv("DISPLAY");
  XSetErrorHandler(RecordHostError);
  hostErrors = 0;
  host = XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 40, 600, 420, 0, 0, 0);
  XSelectInput(display, host, StructureNotifyMask);
  XMapWindow(display, host);
  for (XEvent event; XWindowEvent(display, host, StructureNotifyMask, &event), event.type != MapNotify;) {
  }
  ASSERT_NE(QuorvelTest::BuiltModule(), nullptr);
  effect = NewInstance();
  ASSERT_NE(effect, nullptr);
}

void X11EditorTest::TearDown() {
  for (AEffect* instance : instances) {
    instance->dispatcher(instance, effEditClose, 0, 0, nullptr, 0.0f);
    instance->dispatcher(instance, effClose, 0, 0, nullptr, 0.0f);
  }
  if (display == nullptr) return;
  // Release whatever a test left held.
  Key(0, false);
  XDestroyWindow(display, host);
  XSync(display, False);
  EXPECT_EQ(hostErrors, 0) << "the plug-in's X errors reached the host's handler";
}

Display* X11EditorTest::OpenDriver() {
  Display* own = OpenRetried();
  const std::lock_guard<std::mutex> hold(driversLock);
  if (own != nullptr) drivers.push_back(own);
  return own;
}

void X11EditorTest::CloseDriver(Display* own) {
  if (own == nullptr) return;
  XSync(own, False);  // its last errors heard as its own
  {
    const std::lock_guard<std::mutex> hold(driversLock);
    drivers.erase(std::remove(drivers.begin(), drivers.end(), own), drivers.end());
  }
  XCloseDisplay(own);
}

AEffect* X11EditorTest::NewInstance() {
  VstPluginMainProc entry = QuorvelTest::BuiltModule()->FindEntry("VSTPluginMain");
  AEffect* instance = entry != nullptr ? entry(&RecordingHost::Callback) : nullptr;
  if (instance != nullptr) {
    instances.push_back(instance);
    instance->dispatcher(instance, effOpen, 0, 0, nullptr, 0.0f);
    instance->dispatcher(instance, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    instance->dispatcher(instance, effSetBlockSize, 0, 64, nullptr, 0.0f);
    instance->dispatcher(instance, effMainsChanged, 0, 1, nullptr, 0.0f);
  }
  return instance;
}

VstIntPtr X11EditorTest::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  AEffect* instance) {
  AEffect* target = instance != nullptr ? instance : effect;
  return target->dispatcher(target, opcode, index, value, ptr, 0.0f);
}

bool X11EditorTest::OpenEditor(AEffect* instance, ::Window parent) {
  XSync(display, False);  // the parent exists on the server before the plug-in looks
  ERect* rect = nullptr;
  Dispatch(effEditGetRect, 0, 0, &rect, instance);
  const auto window = static_cast<uintptr_t>(parent != 0 ? parent : host);
  const bool opened = Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window), instance) == 1;
  Idle(3, instance);
  return opened;
}

void X11EditorTest::Idle(int times, AEffect* instance) {
  for (int i = 0; i < times; ++i) {
    XSync(display, False);
    Pause(5);
    Dispatch(effEditIdle, 0, 0, nullptr, instance);
  }
}

std::vector<::Window> X11EditorTest::ChildrenOf(::Window window) {
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  std::vector<::Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
    result.assign(children, children + count);
  }
  if (children != nullptr) XFree(children);
  return result;
}

Place X11EditorTest::PlaceOf(::Window window) {
  ::Window root = 0;
  int x = 0;
  int y = 0;
  unsigned int width = 0;
  unsigned int height = 0;
  unsigned int border = 0;
  unsigned int depth = 0;
  XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth);
  return Place{x, y, static_cast<int>(width), static_cast<int>(height)};
}

::Window X11EditorTest::View() {
  const std::vector<::Window> children = ChildrenOf(host);
  return children.size() == 1 ? children[0] : 0;
}

::Window X11EditorTest::ControlAt(int x, int y) {
  for (::Window child : ChildrenOf(View())) {
    const Place place = PlaceOf(child);
    if (place.x == x && place.y == y) return child;
  }
  return 0;
}

void X11EditorTest::MoveTo(::Window window, int x, int y) {
  int rootX = 0;
  int rootY = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, 0);
  XSync(display, False);
}

void X11EditorTest::Button(unsigned int button, bool down) {
  XTestFakeButtonEvent(display, button, down ? True : False, 0);
  XSync(display, False);
}

void X11EditorTest::Click(::Window window, int x, int y, unsigned int button) {
  MoveTo(window, x, y);
  Button(button, true);
  Button(button, false);
}

void X11EditorTest::Key(unsigned long keysym, bool down) {
  if (keysym == 0) {
    // Every modifier a test may hold, up.
    for (unsigned long held : {XK_Shift_L, XK_Control_L}) Key(held, false);
    return;
  }
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), down ? True : False, 0);
  XSync(display, False);
}

std::vector<unsigned long> X11EditorTest::Pixels(::Window window) {
  const Place place = PlaceOf(window);
  std::vector<unsigned long> pixels;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(place.width),
                            static_cast<unsigned>(place.height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int y = 0; y < place.height; ++y) {
    for (int x = 0; x < place.width; ++x) pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

std::vector<unsigned long> X11EditorTest::EmptyStatus() {
  // Opening shows the last control's report; leaving a control clears the line.
  MoveTo(ControlAt(179, 139), 5, 5);
  Idle();
  MoveTo(View(), 20, 320);
  Idle();
  return Pixels(ControlAt(305, 34));
}

void X11EditorTest::WhileShown(const std::string& name, const std::function<void(Display*, ::Window)>& driver) {
  std::atomic<bool> finished{false};
  std::atomic<bool> shown{false};
  std::thread thread([&] {
    Display* own = OpenDriver();
    const ::Window window = own != nullptr ? WaitShown(own, name) : 0;
    if (window != 0) {
      shown = true;
      Pause(100);  // the window takes the keyboard once it is mapped
      driver(own, window);
    }
    CloseDriver(own);
    finished = true;
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (!finished && std::chrono::steady_clock::now() < deadline) Idle(1);
  thread.join();
  EXPECT_TRUE(shown) << "no window " << name << " was shown";
  Idle(3);
}

::Window X11EditorTest::WaitShown(Display* own, const std::string& name, int attempts) {
  ::Window window = 0;
  for (int i = 0; i < attempts && window == 0; ++i) {
    window = FindShown(own, name);
    if (window == 0) Pause(10);
  }
  return window;
}

void X11EditorTest::ClickOn(Display* own, ::Window window, int x, int y) {
  int rootX = 0;
  int rootY = 0;
  ::Window child = 0;
  XTranslateCoordinates(own, window, DefaultRootWindow(own), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(own, -1, rootX, rootY, 0);
  XTestFakeButtonEvent(own, 1, True, 0);
  XTestFakeButtonEvent(own, 1, False, 0);
  XSync(own, False);
}

void X11EditorTest::Type(Display* own, const std::vector<unsigned long>& keysyms) {
  for (unsigned long keysym : keysyms) {
    const KeyCode code = XKeysymToKeycode(own, keysym);
    XTestFakeKeyEvent(own, code, True, 0);
    XTestFakeKeyEvent(own, code, False, 0);
    XSync(own, False);
    Pause(30);
  }
}

float X11EditorTest::Parameter(VstInt32 index, AEffect* instance) {
  AEffect* target = instance != nullptr ? instance : effect;
  return target->getParameter(target, index);
}

std::vector<RecordingHost::Call> X11EditorTest::Automations(VstInt32 index) {
  std::vector<RecordingHost::Call> found;
  for (const RecordingHost::Call& call : recorder.CallsOf(audioMasterAutomate)) {
    if (call.index == index) found.push_back(call);
  }
  return found;
}

void X11EditorTest::ControlChange(int controller, int value) {
  std::thread audio([&] {
    VstMidiEvent change{};
    change.type = kVstMidiType;
    change.byteSize = sizeof(VstMidiEvent);
    change.midiData[0] = static_cast<char>(0xB0);
    change.midiData[1] = static_cast<char>(controller);
    change.midiData[2] = static_cast<char>(value);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&change);
    effect->dispatcher(effect, effProcessEvents, 0, 0, &events, 0.0f);
    float left[64] = {};
    float right[64] = {};
    float* inputs[] = {left, right};
    float* outputs[] = {left, right};
    effect->processReplacing(effect, inputs, outputs, 64);
  });
  audio.join();
}

}  // namespace QuorvelTest
