// The Windows module's editor: the delay's view in the toolkit's windows.
#include "editor/Editor.h"
#include "editor/QuorvelDelayView.h"
#include "host/Controller.h"
#include "host/EditorAttachment.h"

namespace VstToolkit {

void AttachPlatformEditor(Controller& controller) {
  controller.setEditor(new Editor<QuorvelDelayView>(&controller));
}

}  // namespace VstToolkit
