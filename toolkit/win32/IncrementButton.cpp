#include "toolkit/win32/IncrementButton.h"

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/win32/ParameterControl.h"

namespace WindowsToolkit {

int IncrementButton::OnEraseBackground(HDC) {
  return 1;
}

int IncrementButton::OnLButtonDown(WPARAM, POINT) {
  pressed = true;
  SetCapture(hwnd);
  Invalidate();
  return 1;
}

int IncrementButton::OnLButtonUp(WPARAM, POINT) {
  if (pressed && target != nullptr) target->Step();
  pressed = false;
  ReleaseCapture();
  Invalidate();
  return 1;
}

void IncrementButton::Draw(Gdiplus::Graphics& graphics) {
  if (strip != nullptr) strip->DrawFrame(graphics, pressed ? 1 : 0);
}

IncrementButton* CreateIncrementButton(const ResourceImage* background, const FrameStrip* strip, int y,
                                       HWND parent, HINSTANCE instance, int x) {
  auto* button = new IncrementButton(background, strip);
  return IncrementButton::CreateControlWindow(button, IncrementButton::kClassName, strip,
                                              x, y, parent, instance)
             ? button
             : nullptr;
}

}  // namespace WindowsToolkit
