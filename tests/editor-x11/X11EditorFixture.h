#pragma once

// GoogleTest first: Xlib's None and Bool macros would break its templates.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tests/support/RecordingHost.h"

namespace QuorvelTest {

// A place and size in a parent's client area.
struct Place {
  int x;
  int y;
  int width;
  int height;
  bool operator==(const Place& other) const {
    return x == other.x && y == other.y && width == other.width && height == other.height;
  }
};

// A test host on Linux: a top-level window of its own on the virtual display, in
// which it opens the built module's editor through the AEffect, and real pointer and
// key input through XTest. Errors the plug-in causes would reach `hostErrors`.
class X11EditorTest : public ::testing::Test {
 public:
  static int hostErrors;  // X errors that reached the host's own handler

 protected:
  void SetUp() override;
  void TearDown() override;

  AEffect* NewInstance();
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     AEffect* instance = nullptr);
  // effEditGetRect, then effEditOpen in the host window, then one idle.
  bool OpenEditor(AEffect* instance = nullptr, ::Window parent = 0);
  // Calls effEditIdle `times`, letting the server deliver between the calls.
  void Idle(int times = 3, AEffect* instance = nullptr);

  // The children of a window, in stacking order, with their places.
  std::vector<::Window> ChildrenOf(::Window window);
  Place PlaceOf(::Window window);
  ::Window View();
  // The control window at a layout position of the view.
  ::Window ControlAt(int x, int y);

  // Real input: the pointer to a point of a window, buttons and keys.
  void MoveTo(::Window window, int x, int y);
  void Button(unsigned int button, bool down);
  void Click(::Window window, int x, int y, unsigned int button = 1);
  void Key(unsigned long keysym, bool down);

  // The status line's pixels once the pointer has left a control: no text.
  std::vector<unsigned long> EmptyStatus();
  // The RGB pixels of a window's area, row by row.
  std::vector<unsigned long> Pixels(::Window window);

  // Runs `driver` on a thread of its own with its own connection once a window
  // titled or classed `name` is viewable, while this thread idles the editor; gives
  // up after a few seconds.
  void WhileShown(const std::string& name, const std::function<void(Display*, ::Window)>& driver);
  // A driver's own connection, whose errors are the driver's, and its closing.
  static Display* OpenDriver();
  static void CloseDriver(Display* own);
  // Presses and releases keys on the driver's connection.
  static void Type(Display* display, const std::vector<unsigned long>& keysyms);
  // The viewable top-level window titled or classed `name`, looking `attempts` times
  // 10 ms apart (a few seconds) for it.
  static ::Window WaitShown(Display* display, const std::string& name, int attempts = 400);
  // Clicks a point of a window on the driver's connection.
  static void ClickOn(Display* display, ::Window window, int x, int y);

  float Parameter(VstInt32 index, AEffect* instance = nullptr);
  std::vector<RecordingHost::Call> Automations(VstInt32 index);
  // A MIDI control change through processEvents and processReplacing, on a thread of
  // its own as a host's audio thread.
  void ControlChange(int controller, int value);

  Display* display = nullptr;
  ::Window host = 0;
  RecordingHost recorder;
  AEffect* effect = nullptr;
  std::vector<AEffect*> instances;
};

}  // namespace QuorvelTest
