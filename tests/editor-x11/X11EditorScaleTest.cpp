// The Linux editor on a scaled desktop: the server's Xft.dpi, set through xrdb as
// desktops do, or the factor a host tells, sizes and places everything.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/editor-x11/X11EditorFixture.h"

#include <X11/keysym.h>

namespace QuorvelTest {
namespace {

constexpr VstInt32 kFeedback = 6;
constexpr VstInt32 kFilter = 7;
constexpr VstInt32 kPreS = 0x50726553;   // 'P' 'r' 'e' 'S'
constexpr VstIntPtr kAeCs = 0x41654373;  // 'A' 'e' 'C' 's'

// In creation order at 100 %: twelve parameter controls, two increment buttons, the status line.
const std::vector<Place> kPlacesAt100 = {
    {343, 229, 20, 40},  {65, 139, 32, 32},  {79, 229, 20, 40},  {123, 139, 32, 32}, {144, 221, 140, 40},
    {144, 256, 140, 40}, {179, 139, 32, 32}, {343, 109, 20, 40}, {390, 139, 32, 32}, {343, 148, 20, 40},
    {266, 125, 20, 40},  {390, 241, 32, 32}, {116, 227, 28, 28}, {116, 262, 28, 28}, {305, 34, 145, 25}};
// At 150 %, halves rounded up; the status line by its edges (305..450 x 34..59).
const std::vector<Place> kPlacesAt150 = {
    {515, 344, 30, 60},  {98, 209, 48, 48},  {119, 344, 30, 60}, {185, 209, 48, 48}, {216, 332, 210, 60},
    {216, 384, 210, 60}, {269, 209, 48, 48}, {515, 164, 30, 60}, {585, 209, 48, 48}, {515, 222, 30, 60},
    {399, 188, 30, 60},  {585, 362, 48, 48}, {174, 341, 42, 42}, {174, 393, 42, 42}, {458, 51, 217, 38}};

std::string Output(const char* command) {
  std::string text;
  FILE* pipe = popen(command, "r");
  if (pipe == nullptr) return text;
  char buffer[256];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  pclose(pipe);
  return text;
}

class X11EditorScale : public X11EditorTest {
 protected:
  void SetUp() override {
    X11EditorTest::SetUp();
    if (display != nullptr) saved = Output("xrdb -query");
  }

  void TearDown() override {
    // The display's resources as they were (a virtual display has none).
    if (display != nullptr && saved.empty()) {
      EXPECT_EQ(std::system("xrdb -remove"), 0);
    } else if (display != nullptr) {
      FILE* pipe = popen("xrdb -nocpp -load", "w");
      if (pipe != nullptr) fputs(saved.c_str(), pipe);
      if (pipe != nullptr) pclose(pipe);
    }
    X11EditorTest::TearDown();
  }

  void SetXftDpi(int dpi) {
    const std::string command = "echo 'Xft.dpi: " + std::to_string(dpi) + "' | xrdb -nocpp -merge";
    ASSERT_EQ(std::system(command.c_str()), 0) << "the tests need xrdb (x11-xserver-utils)";
  }

  VstIntPtr TellFactor(float factor) { return effect->dispatcher(effect, effVendorSpecific, kPreS, kAeCs, nullptr, factor); }

  // effEditGetRect's size; the host's window takes it, as hosts do before opening.
  Place Reported() {
    ERect* rect = nullptr;
    Dispatch(effEditGetRect, 0, 0, &rect);
    const Place size{0, 0, rect->right - rect->left, rect->bottom - rect->top};
    XResizeWindow(display, host, static_cast<unsigned>(size.width), static_cast<unsigned>(size.height));
    return size;
  }

  std::vector<Place> ControlPlaces() {
    std::vector<Place> places;
    for (::Window child : ChildrenOf(View())) places.push_back(PlaceOf(child));
    return places;
  }

  // The height of the status line's white text, in rows.
  int StatusTextHeight() {
    const ::Window status = ChildrenOf(View()).back();
    const Place place = PlaceOf(status);
    const std::vector<unsigned long> pixels = Pixels(status);
    int top = place.height;
    int bottom = -1;
    for (int y = 0; y < place.height; ++y) {
      for (int x = 0; x < place.width; ++x) {
        const unsigned long pixel = pixels[static_cast<size_t>(y * place.width + x)];
        if (((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 3 * 160) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
    }
    return bottom - top + 1;
  }

  std::vector<RecordingHost::Call> SizeRequests() { return recorder.CallsOf(audioMasterSizeWindow); }

  std::string saved;
};

TEST_F(X11EditorScale, AtXftDpi144And192TheEditorAndItsFifteenWindowsAreScaled) {
  std::vector<Place> at200;
  for (const Place& place : kPlacesAt100) {
    at200.push_back({place.x * 2, place.y * 2, place.width * 2, place.height * 2});
  }
  for (const auto& [dpi, size, places] :
       {std::make_tuple(144, Place{0, 0, 744, 516}, kPlacesAt150), std::make_tuple(192, Place{0, 0, 992, 688}, at200)}) {
    SCOPED_TRACE(dpi);
    SetXftDpi(dpi);
    EXPECT_EQ(Reported(), size);  // asked before the open
    ASSERT_TRUE(OpenEditor());
    EXPECT_EQ(PlaceOf(View()), size);
    EXPECT_EQ(Reported(), size);
    EXPECT_EQ(ControlPlaces(), places);
    Dispatch(effEditClose);
  }
}

TEST_F(X11EditorScale, ARealDragOf15PixelsAt150PercentMovesAKnobByATenth) {
  SetXftDpi(144);
  Reported();
  ASSERT_TRUE(OpenEditor());
  const ::Window knob = ControlAt(269, 209);  // feedback
  ASSERT_NE(knob, 0u);
  const float start = Parameter(kFeedback);
  MoveTo(knob, 24, 30);
  Button(1, true);
  Idle(1);
  for (int i = 1; i <= 15; ++i) {
    MoveTo(knob, 24, 30 - i);
    if (i % 5 == 0) Idle(1);
  }
  Idle(2);
  Button(1, false);
  Idle(2);
  EXPECT_NEAR(Parameter(kFeedback), start + 0.1f, 1e-5);
}

TEST_F(X11EditorScale, TheStatusTextIsDrawnAtTwiceTheHeightAt200Percent) {
  // Opening shows the last control's report, the same text at both sizes.
  ASSERT_TRUE(OpenEditor());
  const int single = StatusTextHeight();
  Dispatch(effEditClose);
  SetXftDpi(192);
  Reported();
  ASSERT_TRUE(OpenEditor());
  const int twice = StatusTextHeight();
  EXPECT_GE(single, 9);
  EXPECT_NEAR(twice, 2 * single, 2) << single << " rows at 100 %";
}

TEST_F(X11EditorScale, TheTitleMenuAndTheAboutBoxFollowTheFactor) {
  SetXftDpi(144);
  Reported();
  ASSERT_TRUE(OpenEditor());
  Place menu{};
  Place about{};
  bool closedByOk = false;
  Click(View(), 150, 75);  // the title, at 100, 50 before the scale
  WhileShown("QuorvelPopupMenu", [&](Display* own, ::Window shown) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(own, shown, &attributes);
    menu = Place{0, 0, attributes.width, attributes.height};
    Type(own, {XK_Down, XK_Return});  // "About"
    const ::Window box = WaitShown(own, "About Quorvel Delay");
    if (box == 0) return;
    XGetWindowAttributes(own, box, &attributes);
    about = Place{0, 0, attributes.width, attributes.height};
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ClickOn(own, box, 469, 563);  // "OK", at 312, 375 before the scale
    for (int i = 0; i < 300 && !closedByOk; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      closedByOk = WaitShown(own, "About Quorvel Delay", 1) == 0;
    }
    if (!closedByOk) Type(own, {XK_Escape});
  });
  EXPECT_EQ(menu.height, 2 * 33 + 2);  // two items of 22 rows, and the frame
  EXPECT_GE(menu.width, 180);
  EXPECT_EQ(about, (Place{0, 0, 660, 674}));
  EXPECT_TRUE(closedByOk);
}

TEST_F(X11EditorScale, TheHostsFactorOverridesXftDpiBeforeAndAfterTheOpen) {
  SetXftDpi(144);
  EXPECT_EQ(TellFactor(2.0f), 1);
  EXPECT_EQ(Reported(), (Place{0, 0, 992, 688}));
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(PlaceOf(View()), (Place{0, 0, 992, 688}));
  // A new Xft.dpi does not move a factor the host told.
  SetXftDpi(96);
  Idle();
  EXPECT_EQ(PlaceOf(View()), (Place{0, 0, 992, 688}));
  EXPECT_TRUE(SizeRequests().empty());
}

TEST_F(X11EditorScale, AChangeWhileOpenRebuildsTheViewAndAsksTheHostToResize) {
  SetXftDpi(144);
  Reported();
  ASSERT_TRUE(OpenEditor());
  effect->setParameter(effect, kFeedback, 0.25f);
  // The desktop's scale changes: seen at the next idle.
  SetXftDpi(192);
  Idle();
  EXPECT_EQ(PlaceOf(View()), (Place{0, 0, 992, 688}));
  // Then the host tells one.
  EXPECT_EQ(TellFactor(1.5f), 1);
  EXPECT_EQ(PlaceOf(View()), (Place{0, 0, 744, 516}));
  ASSERT_EQ(SizeRequests().size(), 2u);
  EXPECT_EQ(SizeRequests()[0].index, 992);
  EXPECT_EQ(SizeRequests()[0].value, 688);
  EXPECT_EQ(SizeRequests()[1].index, 744);
  EXPECT_EQ(SizeRequests()[1].value, 516);
  // The host (this one does not answer) keeps its size; the new view works on, its
  // switches hit by their scaled halves.
  Idle();
  EXPECT_EQ(ControlPlaces(), kPlacesAt150);
  const std::vector<unsigned long> before = Pixels(ControlAt(269, 209));
  effect->setParameter(effect, kFeedback, 0.75f);
  Idle();
  EXPECT_NE(Pixels(ControlAt(269, 209)), before);
  Click(ControlAt(515, 164), 15, 25);  // the filter switch's upper half of 60 rows: on
  Idle();
  EXPECT_FLOAT_EQ(Parameter(kFilter), 1.0f);
}

}  // namespace
}  // namespace QuorvelTest
