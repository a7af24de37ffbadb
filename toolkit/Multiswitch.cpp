#include "toolkit/Multiswitch.h"

#include "toolkit/FrameStrip.h"
#include "toolkit/RegisteredMessages.h"

namespace WindowsToolkit {

Multiswitch::Multiswitch(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_,
                         const FrameStrip* strip_)
    : ParameterControl(background_, parameterIndex_, defaultValue_, strip_) {
  const int32_t count = FrameCount();
  if (count == 0) return;
  const auto frameWidth = static_cast<LONG>(strip->GetFrameWidth());
  const auto frameHeight = static_cast<LONG>(strip->GetFrameHeight());
  hitRects.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    if (strip->IsVertical()) {
      const LONG band = frameHeight / count;
      hitRects[static_cast<size_t>(i)] = RECT{0, (count - 1 - i) * band, frameWidth, (count - i) * band};
    } else {
      const LONG column = frameWidth / count;
      hitRects[static_cast<size_t>(i)] = RECT{i * column, 0, (i + 1) * column, frameHeight};
    }
  }
}

int Multiswitch::OnLButtonDown(WPARAM keys, POINT point) {
  if ((keys & MK_CONTROL) != 0) {
    SetValue(defaultValue, true);
  } else {
    SelectAt(point);
  }
  SetCapture(hwnd);
  return 1;
}

int Multiswitch::OnMouseMove(WPARAM keys, POINT point) {
  if (IsDragging(keys)) {
    SelectAt(point);
  } else {
    TrackMouse();
  }
  return 1;
}

float Multiswitch::GetValue() {
  const int32_t count = FrameCount();
  return count >= 2 ? static_cast<float>(position) / static_cast<float>(count - 1) : 0.0f;
}

int Multiswitch::SetValue(float value, bool notify) {
  const int32_t count = FrameCount();
  if (count == 0) return 1;
  const int32_t old = position;
  // Each position owns an equal share of 0..1; the value 1 itself belongs to the last.
  const float share = 1.0f / static_cast<float>(count);
  position = ClampPosition(static_cast<int32_t>(ClampUnit(value) / share));
  if (position == old) return 1;
  Invalidate();
  if (notify) Notify(UWM_PC_VALUECHANGED);
  return 1;
}

void Multiswitch::SelectAt(POINT point) {
  for (size_t i = 0; i < hitRects.size(); ++i) {
    const RECT& area = hitRects[i];
    if (point.x < area.left || point.x >= area.right || point.y < area.top || point.y >= area.bottom)
      continue;
    const auto hit = static_cast<int32_t>(i);
    if (hit == position) return;
    position = hit;
    Notify(UWM_PC_VALUECHANGED);
    Invalidate();
    return;
  }
}

Multiswitch* CreateMultiswitch(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                               const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance) {
  auto* control = new Multiswitch(background, parameterIndex, defaultValue, strip);
  return Multiswitch::CreateParameterWindow(control, Multiswitch::kClassName, x, y, parent, instance)
             ? control
             : nullptr;
}

}  // namespace WindowsToolkit
