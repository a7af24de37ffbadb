// Modules without a native editor.
#include "host/EditorAttachment.h"

namespace VstToolkit {

void AttachPlatformEditor(Controller&) {}

}  // namespace VstToolkit
