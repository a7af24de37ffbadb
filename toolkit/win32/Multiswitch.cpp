#include "toolkit/win32/Multiswitch.h"

#include <memory>

#include "toolkit/win32/FrameStrip.h"
#include "toolkit/core/MultiswitchLogic.h"

namespace WindowsToolkit {

namespace {

std::unique_ptr<ToolkitCore::ParameterLogic> SwitchLogic(float defaultValue, const FrameStrip* strip) {
  if (strip == nullptr) return std::make_unique<ToolkitCore::MultiswitchLogic>(defaultValue, 0, 0, 0, true);
  return std::make_unique<ToolkitCore::MultiswitchLogic>(defaultValue, strip->GetFrameCount(),
                                                         strip->GetFrameWidth(), strip->GetFrameHeight(),
                                                         strip->IsVertical());
}

}  // namespace

Multiswitch::Multiswitch(const ResourceImage* background_, int32_t parameterIndex_, float defaultValue_,
                         const FrameStrip* strip_)
    : ParameterControl(background_, parameterIndex_, strip_, SwitchLogic(defaultValue_, strip_)) {}

Multiswitch* CreateMultiswitch(const ResourceImage* background, int32_t parameterIndex, float defaultValue,
                               const FrameStrip* strip, int x, int y, HWND parent, HINSTANCE instance) {
  auto* control = new Multiswitch(background, parameterIndex, defaultValue, strip);
  return Multiswitch::CreateParameterWindow(control, Multiswitch::kClassName, x, y, parent, instance)
             ? control
             : nullptr;
}

}  // namespace WindowsToolkit
