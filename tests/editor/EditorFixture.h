#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tests/support/RecordingHost.h"
#include "toolkit/win32/Gdiplus.h"

namespace WindowsToolkit {
class ParameterControl;
}

namespace QuorvelTest {

// Trace lines written by the module while the recorder lives. They reach the debug
// channel as a debug-print exception, which a vectored handler sees first.
class TraceRecorder final {
 public:
  TraceRecorder();
  ~TraceRecorder();
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;
  std::vector<std::string> lines;
};

// Ends whatever menu or box is open, as Escape or Cancel would, so that a failing
// test fails instead of hanging in a modal loop.
void AbandonModalLoops();

// Drives the modal loops of menus and boxes from inside: a thread timer without a
// window, which the modal loops dispatch, runs each step until it reports done.
class ModalScript final {
 public:
  using Step = std::function<bool()>;
  explicit ModalScript(std::vector<Step> steps);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  bool Finished() const;

  // Steps for the common cases. A popup menu: its item texts are stored in `items`,
  // then `downs` presses of the down arrow and Return (or Escape when downs < 0).
  static Step ChooseMenuItem(int downs, std::vector<std::string>* items = nullptr);
  // A window by caption: its static text into `text` (when given), then WM_COMMAND `id`.
  static Step PressInWindow(const char* caption, WORD id, std::string* text = nullptr);
};

// A child window of the view: its class, the parameter of a parameter control (-1 for
// the others), and its place and size in the view.
struct Placed {
  std::string className;
  int32_t parameter;
  int x, y, w, h;
  bool operator<(const Placed& o) const;
  bool operator==(const Placed& o) const;
};
void PrintTo(const Placed& p, std::ostream* out);

// A host with one plug-in instance and a window of its own for the editor.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr);
  bool OpenEditor();
  void CloseInstance();

  // Handles every queued message: the posted notifications reach the view.
  static void Pump();
  HWND View() const;
  // The control of a parameter (by the index the control itself holds), or null.
  HWND ControlOf(int32_t parameter) const;
  static WindowsToolkit::ParameterControl* ControlObject(HWND control);
  float ControlValue(int32_t parameter) const;
  std::string StatusText() const;
  // The toolkit windows inside the view, of one class.
  std::vector<HWND> ChildrenOfClass(const char* className) const;
  // Every child window of the view, sorted.
  std::vector<Placed> PlacedChildren() const;
  // A PNG picture as the DLL carries it, decoded here on its own (GDI+ started for it).
  static std::unique_ptr<Gdiplus::Bitmap> PictureOfModule(int id);
  // The largest difference of a colour channel between the view as shown and `picture`
  // at points 7 pixels apart that lie between the controls, which it counts.
  int WorstDifferenceFrom(Gdiplus::Bitmap& picture, int& compared) const;

  static LRESULT Mouse(HWND hwnd, UINT message, WPARAM keys, int x, int y);
  void Hover(int32_t parameter) const;
  void Leave(int32_t parameter) const;
  void RightClick(int32_t parameter) const;
  void ClickView(int x, int y) const;

  void SetParameter(int32_t index, float value);
  float GetParameter(int32_t index);
  // One block of silence with a MIDI control change (channel 1) at its start, as a
  // host's audio thread delivers it.
  void ProcessControlChange(int number, int value);
  std::vector<RecordingHost::Call> Automations() const;

  RecordingHost host;
  AEffect* effect = nullptr;
  HWND parent = nullptr;
};

}  // namespace QuorvelTest
