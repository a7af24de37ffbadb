#include "toolkit/win32/Knob.h"

#include <memory>

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/core/KnobLogic.h"

namespace WindowsToolkit {

Knob::Knob(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_, const FrameStrip* strip_,
           Toolkit::ScaleFactor scale)
    : ParameterControl(background_, parameterIndex_, strip_,
                       std::make_unique<ToolkitCore::KnobLogic>(
                           defaultValue_, strip_ != nullptr ? strip_->GetFrameCount() : 0, scale)) {}

Knob* CreateKnob(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                 const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance,
                 Toolkit::ScaleFactor scale) {
  auto* knob = new Knob(background, parameterIndex, defaultValue, strip, scale);
  return Knob::CreateParameterWindow(knob, Knob::kClassName, x, y, parent, instance) ? knob : nullptr;
}

}  // namespace WindowsToolkit
