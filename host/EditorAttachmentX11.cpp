// The Linux module's editor: the delay's view in windows of its own X connection.
#include "editor/x11/X11Editor.h"
#include "host/Controller.h"
#include "host/EditorAttachment.h"

namespace VstToolkit {

void AttachPlatformEditor(Controller& controller) {
  controller.setEditor(new X11Editor(&controller));
}

}  // namespace VstToolkit
