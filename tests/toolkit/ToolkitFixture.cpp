#include "tests/toolkit/ToolkitFixture.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/win32/IncrementButton.h"
#include "toolkit/win32/Knob.h"
#include "toolkit/win32/Multiswitch.h"
#include "toolkit/win32/RegisteredMessages.h"
#include "toolkit/win32/StatusControl.h"

namespace QuorvelTest {

namespace {

const char kParentClass[] = "QuorvelToolkitTestParent";
const char kHostClass[] = "QuorvelToolkitTestHost";
constexpr int kViewWidth = 496;
constexpr int kViewHeight = 344;

bool IsRegisteredMessage(UINT message) {
  using namespace WindowsToolkit;
  return message == UWM_PC_VALUECHANGED || message == UWM_PC_HOVER || message == UWM_PC_LEAVE ||
         message == UWM_PC_RIGHTCLICKED;
}

}  // namespace

LRESULT RecordingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsRegisteredMessage(message)) return Window::WindowProc(message, wParam, lParam);
  posted.push_back(Posted{message, wParam, lParam});
  return 0;
}

void ToolkitTest::SetUpTestSuite() {
  static bool started = false;
  if (started) return;
  started = true;
  // GDI+ stays started until the process ends, as it does for a plug-in instance.
  static ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput input;
  ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);

  HINSTANCE module = GetModuleHandleA(nullptr);
  for (const char* name : {WindowsToolkit::Knob::kClassName, WindowsToolkit::Multiswitch::kClassName,
                           WindowsToolkit::IncrementButton::kClassName,
                           WindowsToolkit::StatusControl::kClassName, kParentClass}) {
    ASSERT_TRUE(WindowsToolkit::Window::RegisterWindowClass(name, module)) << name;
  }
  WNDCLASSEXA hostClass{};
  hostClass.cbSize = sizeof hostClass;
  hostClass.lpfnWndProc = DefWindowProcA;
  hostClass.hInstance = module;
  hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  hostClass.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExA(&hostClass), 0);
}

void ToolkitTest::SetUp() {
  instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(background.LoadFromResource(113, instance));
  ASSERT_TRUE(knobImage.LoadFromResource(114, instance));
  ASSERT_TRUE(switchImage.LoadFromResource(115, instance));
  ASSERT_TRUE(buttonImage.LoadFromResource(116, instance));
  ASSERT_TRUE(selectorImage.LoadFromResource(117, instance));
  host = CreateWindowExA(0, kHostClass, "host", WS_POPUP, 0, 0, kViewWidth, kViewHeight, nullptr, nullptr,
                         instance, nullptr);
  ASSERT_NE(host, nullptr);
  // Shown without activation: under Wine, destroying the active window waits seconds
  // for focus events that never come without a window manager.
  ShowWindow(host, SW_SHOWNOACTIVATE);
  parent = new RecordingParent;
  ASSERT_TRUE(WindowsToolkit::Window::CreateToolkitWindow(parent, kParentClass, 0, 0, kViewWidth, kViewHeight,
                                                          host, instance));
  TakePosted();
}

void ToolkitTest::TearDown() {
  if (host != nullptr) DestroyWindow(host);
  host = nullptr;
  parent = nullptr;
  TakePosted();
}

std::vector<Posted> ToolkitTest::TakePosted() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::vector<Posted> result;
  if (parent != nullptr) result.swap(parent->posted);
  return result;
}

std::vector<Posted> ToolkitTest::TakePosted(UINT message) {
  std::vector<Posted> all = TakePosted();
  all.erase(
      std::remove_if(all.begin(), all.end(), [message](const Posted& p) { return p.message != message; }),
      all.end());
  return all;
}

std::vector<LONG> ToolkitTest::PlaceOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

LRESULT ToolkitTest::SendMouse(HWND hwnd, UINT message, WPARAM keys, int x, int y) {
  return SendMessageA(hwnd, message, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

std::vector<Rgb> ToolkitTest::ReadClientPixels(HWND hwnd, int w, int h) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<Rgb> pixels;
  const auto* words = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < w * h; ++i) {
    const uint32_t word = words[i];
    pixels.push_back(Rgb{static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                         static_cast<int>(word & 0xFF)});
  }
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(hwnd, screen);
  return pixels;
}

Rgb ToolkitTest::PixelOf(Gdiplus::Bitmap* image, int x, int y) {
  Gdiplus::Color colour;
  image->GetPixel(x, y, &colour);
  return Rgb{colour.GetR(), colour.GetG(), colour.GetB()};
}

Rgb ToolkitTest::Over(Gdiplus::Bitmap* image, int x, int y, Rgb under) {
  Gdiplus::Color colour;
  image->GetPixel(x, y, &colour);
  const int a = colour.GetA();
  auto blend = [a](int top, int bottom) { return (top * a + bottom * (255 - a) + 127) / 255; };
  return Rgb{blend(colour.GetR(), under.r), blend(colour.GetG(), under.g), blend(colour.GetB(), under.b)};
}

int ToolkitTest::PaintError(HWND control, int left, int top, int w, int h, Gdiplus::Bitmap* strip, int frameX,
                            int frameY) {
  const std::vector<Rgb> painted = ReadClientPixels(control, w, h);
  int worst = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      Rgb expected = PixelOf(background.GetBitmap(), left + x, top + y);
      if (strip != nullptr) expected = Over(strip, frameX + x, frameY + y, expected);
      const Rgb& got = painted[static_cast<size_t>(y * w + x)];
      worst = std::max(
          {worst, std::abs(got.r - expected.r), std::abs(got.g - expected.g), std::abs(got.b - expected.b)});
    }
  }
  return worst;
}

}  // namespace QuorvelTest
