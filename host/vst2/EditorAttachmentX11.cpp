// The Linux module's editor: the delay's view in windows of its own X connection.
#include <memory>

#include "editor/x11/X11Editor.h"
#include "host/vst2/Controller.h"
#include "host/vst2/EditorAttachment.h"
#include "host/vst2/Vst2Editor.h"

namespace VstToolkit {

void AttachPlatformEditor(Controller& controller) {
  controller.Core().SetEditor(std::make_unique<X11Editor>(controller.Core(), EditorFormat::kVst2));
  controller.setEditor(new Vst2Editor(&controller, controller.Core()));
}

}  // namespace VstToolkit
