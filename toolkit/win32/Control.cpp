#include "toolkit/win32/Control.h"

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/win32/ResourceImage.h"

namespace WindowsToolkit {

int Control::OnPaint(HDC hdc) {
  RECT client{};
  GetClientRect(hwnd, &client);
  Gdiplus::Bitmap buffer(client.right - client.left, client.bottom - client.top, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&buffer);
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT origin{window.left, window.top};
    ScreenToClient(GetParent(hwnd), &origin);
    if (background != nullptr && background->GetBitmap() != nullptr) {
      // Every image is drawn into a rectangle of its own pixel size: at the size GDI+
      // derives from the image's and the screen's DPI it would be stretched.
      const Gdiplus::Rect part(0, 0, window.right - window.left, window.bottom - window.top);
      graphics.DrawImage(background->GetBitmap(), part, origin.x, origin.y, part.Width, part.Height,
                         Gdiplus::UnitPixel);
    }
    Draw(graphics);
  }
  Gdiplus::Graphics screen(hdc);
  screen.DrawImage(&buffer, 0, 0, client.right - client.left, client.bottom - client.top);
  return 1;
}

bool Control::CreateControlWindow(Control* control, const char* className, const FrameStrip* strip, int left,
                                  int top, HWND parent, HINSTANCE instance) {
  const auto w = strip != nullptr ? static_cast<int>(strip->GetFrameWidth()) : 0;
  const auto h = strip != nullptr ? static_cast<int>(strip->GetFrameHeight()) : 0;
  return CreateToolkitWindow(control, className, left, top, w, h, parent, instance);
}

void Control::Invalidate() const {
  if (hwnd != nullptr) InvalidateRect(hwnd, nullptr, FALSE);
}

}  // namespace WindowsToolkit
