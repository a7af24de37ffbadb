// The Windows module's editor: the delay's view in the toolkit's windows.
#include <memory>

#include "editor/win32/Editor.h"
#include "host/vst2/Controller.h"
#include "host/vst2/EditorAttachment.h"
#include "host/vst2/Vst2Editor.h"

namespace VstToolkit {

void AttachPlatformEditor(Controller& controller) {
  controller.Core().SetEditor(std::make_unique<Editor>(controller.Core(), EditorFormat::kVst2));
  controller.setEditor(new Vst2Editor(&controller, controller.Core()));
}

}  // namespace VstToolkit
