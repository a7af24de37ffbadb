// The editor at a scale factor: the screen's (the Wine prefix's DPI, 96, 144 or 192)
// and the host's. This program runs once in each of those prefixes.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "tests/editor/EditorFixture.h"
#include "toolkit/core/ScaleFactor.h"

namespace QuorvelTest {
namespace {

constexpr VstInt32 kScaleVendor = 0x50726553;    // 'PreS'
constexpr VstIntPtr kScaleRequest = 0x41654373;  // 'AeCs'
constexpr UINT kDpiChanged = 0x02E0;             // WM_DPICHANGED
const char kStatusClass[] = "QuorvelWindowsToolkitStatusControl";

class EditorScale : public EditorTest {
 protected:
  // The screen's DPI as Windows tells this (DPI-aware) program.
  static int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
  }
  static Toolkit::ScaleFactor ScreenScale() { return Toolkit::ScaleFactor::FromDpi(ScreenDpi()); }

  bool TellScale(float factor) {
    return effect->dispatcher(effect, effVendorSpecific, kScaleVendor, kScaleRequest, nullptr, factor) == 1;
  }
  std::pair<int, int> ReportedSize() {
    ERect* rect = nullptr;
    if (Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) return {-1, -1};
    return {rect->right - rect->left, rect->bottom - rect->top};
  }
  std::pair<int, int> ViewSize() const {
    RECT client{};
    GetClientRect(View(), &client);
    return {client.right, client.bottom};
  }
  bool Reopen() {
    Dispatch(effEditClose);
    return OpenEditor();
  }
  // The height of the white text in the status line, hovering a knob, in a host
  // window as large as the view.
  int StatusTextHeight() {
    const std::pair<int, int> size = ViewSize();
    SetWindowPos(parent, nullptr, 0, 0, size.first, size.second, SWP_NOZORDER | SWP_NOACTIVATE);
    Hover(1);
    HWND status = FindWindowExA(View(), nullptr, kStatusClass, nullptr);
    RedrawWindow(status, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT area{};
    GetClientRect(status, &area);
    HDC dc = GetDC(status);
    int top = area.bottom, bottom = -1;
    for (int y = 0; y < area.bottom; ++y) {
      for (int x = 0; x < area.right; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        if (pixel != CLR_INVALID && GetRValue(pixel) > 200 && GetGValue(pixel) > 200 && GetBValue(pixel) > 200) {
          top = std::min(top, y);
          bottom = y;
        }
      }
    }
    ReleaseDC(status, dc);
    return bottom - top + 1;
  }
};

TEST_F(EditorScale, TheScreensFactorSizesTheEditorAndPlacesEveryControl) {
  const int dpi = ScreenDpi();
  if (const char* expected = std::getenv("QUORVEL_EXPECTED_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected));
  }
  const std::pair<int, int> size = dpi == 192 ? std::pair{992, 688} : dpi == 144 ? std::pair{744, 516} : std::pair{496, 344};
  EXPECT_EQ(ReportedSize(), size);  // before the first open, from the system's DPI
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(ReportedSize(), size);
  EXPECT_EQ(ViewSize(), size);
  const std::vector<Placed> scaled = PlacedChildren();

  // Every child is where its place at 1x lies at the factor, one frame of its strip
  // at the factor large; the status line is scaled by its edges.
  ASSERT_TRUE(TellScale(1.0f));
  ASSERT_TRUE(Reopen());
  const Toolkit::ScaleFactor scale = ScreenScale();
  std::vector<Placed> expected;
  for (Placed p : PlacedChildren()) {
    const bool byEdges = p.className == kStatusClass;
    p.w = byEdges ? scale.Scale(p.x + p.w) - scale.Scale(p.x) : scale.Scale(p.w);
    p.h = byEdges ? scale.Scale(p.y + p.h) - scale.Scale(p.y) : scale.Scale(p.h);
    p.x = scale.Scale(p.x);
    p.y = scale.Scale(p.y);
    expected.push_back(p);
  }
  EXPECT_EQ(expected.size(), 15u);
  EXPECT_EQ(scaled, expected);
}

TEST_F(EditorScale, AKnobsRangeIsAHundredLogicalPixelsOfTravel) {
  SetParameter(1, 0.5f);
  ASSERT_TRUE(OpenEditor());
  const int travel = ScreenScale().Scale(10);  // 15 pixels at 150 %
  HWND knob = ControlOf(1);
  Mouse(knob, WM_LBUTTONDOWN, MK_LBUTTON, 8, 40);
  Mouse(knob, WM_MOUSEMOVE, MK_LBUTTON, 8, 40 - travel);
  Mouse(knob, WM_LBUTTONUP, 0, 8, 40 - travel);
  Pump();
  EXPECT_NEAR(GetParameter(1), 0.6f, 1e-5f);
}

TEST_F(EditorScale, TheStatusTextIsDrawnAtTheFactorsSize) {
  ASSERT_TRUE(OpenEditor());
  const int atScreen = StatusTextHeight();
  ASSERT_TRUE(TellScale(2.5f));  // 1240 x 860: on the virtual screen
  ASSERT_TRUE(Reopen());
  const int atTwoAndAHalf = StatusTextHeight();
  EXPECT_GT(atScreen, 6);
  EXPECT_NEAR(atTwoAndAHalf, atScreen * 2.5 / ScreenScale().GetFactor(), 2.0);
}

TEST_F(EditorScale, TheHostsFactorOverridesTheScreensAndAChangeWhileOpenResizesTheHost) {
  ASSERT_TRUE(TellScale(2.0f));
  EXPECT_EQ(ReportedSize(), (std::pair{992, 688}));
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(ViewSize(), (std::pair{992, 688}));
  EXPECT_TRUE(host.CallsOf(audioMasterSizeWindow).empty());
  // Drawn from the 2x picture pixel for pixel, whatever DPI the screen has.
  SetWindowPos(parent, nullptr, 0, 0, 992, 688, SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::unique_ptr<Gdiplus::Bitmap> picture = PictureOfModule(213);
  ASSERT_NE(picture, nullptr);
  int compared = 0;
  EXPECT_LE(WorstDifferenceFrom(*picture, compared), 1);
  EXPECT_GT(compared, 10000);

  SetParameter(1, 0.25f);
  ASSERT_TRUE(TellScale(1.5f));
  EXPECT_EQ(ViewSize(), (std::pair{744, 516}));
  EXPECT_EQ(ReportedSize(), (std::pair{744, 516}));
  EXPECT_FLOAT_EQ(ControlValue(1), 0.25f);  // the new controls show the program
  const std::vector<RecordingHost::Call> resizes = host.CallsOf(audioMasterSizeWindow);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].index, 744);
  EXPECT_EQ(resizes[0].value, 516);

  // While the host's factor holds, the screen's does not count.
  SendMessageA(View(), kDpiChanged, MAKEWPARAM(192, 192), 0);
  EXPECT_EQ(ViewSize(), (std::pair{744, 516}));
}

TEST_F(EditorScale, MovingToAScreenOfAnotherDpiRebuildsTheViewThere) {
  ASSERT_TRUE(OpenEditor());
  const int other = ScreenDpi() == 192 ? 144 : 192;
  SendMessageA(View(), kDpiChanged, MAKEWPARAM(other, other), 0);
  const std::pair<int, int> size = other == 192 ? std::pair{992, 688} : std::pair{744, 516};
  EXPECT_EQ(ViewSize(), size);
  const std::vector<RecordingHost::Call> resizes = host.CallsOf(audioMasterSizeWindow);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(std::pair(static_cast<int>(resizes[0].index), static_cast<int>(resizes[0].value)), size);
  EXPECT_EQ(PlacedChildren().size(), 15u);
}

TEST_F(EditorScale, TheAboutBoxHasThePictureAndButtonsAtTheFactor) {
  ASSERT_TRUE(OpenEditor());
  const Toolkit::ScaleFactor scale = ScreenScale();
  RECT client{}, ok{};
  HWND shownOk = nullptr;
  {
    ModalScript script({ModalScript::ChooseMenuItem(1), [&]() {
                          HWND about = FindWindowA(nullptr, "About Quorvel Delay");
                          if (about == nullptr || !IsWindowVisible(about)) return false;
                          GetClientRect(about, &client);
                          shownOk = GetDlgItem(about, IDOK);
                          GetWindowRect(shownOk, &ok);
                          MapWindowPoints(HWND_DESKTOP, about, reinterpret_cast<POINT*>(&ok), 2);
                          PostMessageA(about, WM_COMMAND, IDOK, 0);
                          return true;
                        }});
    ClickView(scale.Scale(30), scale.Scale(32));  // the title area's top-left corner
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(std::pair(static_cast<int>(client.right), static_cast<int>(client.bottom)),
            std::pair(scale.Scale(440), scale.Scale(449)));
  ASSERT_NE(shownOk, nullptr);
  EXPECT_EQ((std::vector<LONG>{ok.left, ok.top, ok.right, ok.bottom}),
            (std::vector<LONG>{scale.Scale(275), scale.Scale(364), scale.Scale(350), scale.Scale(387)}));
}

TEST_F(EditorScale, AHostThatIsNotDpiAwareGetsTheEditorAtOneX) {
  // Windows stretches such a host itself; in it every window has 96 dpi.
  using SetContext = HANDLE(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContext>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
  ASSERT_NE(setContext, nullptr);
  const auto kUnaware = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));  // DPI_AWARENESS_CONTEXT_UNAWARE
  HANDLE previous = setContext(kUnaware);
  DestroyWindow(parent);
  parent = CreateWindowExA(0, "QuorvelEditorTestHost", "Unaware host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 496, 344,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(ReportedSize(), (std::pair{496, 344}));
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(ViewSize(), (std::pair{496, 344}));
  Dispatch(effEditClose);
  setContext(previous);
}

}  // namespace
}  // namespace QuorvelTest
