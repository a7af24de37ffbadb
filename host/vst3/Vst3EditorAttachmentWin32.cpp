// The Windows bundle's editor: the delay's view in the toolkit's windows.
#include <memory>

#include "editor/win32/Editor.h"
#include "host/vst3/Vst3EditorAttachment.h"
#include "host/vst3/Vst3Plugin.h"

namespace VstToolkit {

void AttachVst3Editor(Vst3Plugin& plugin) {
  plugin.Core().SetEditor(std::make_unique<Editor>(plugin.Core(), EditorFormat::kVst3));
}

}  // namespace VstToolkit
