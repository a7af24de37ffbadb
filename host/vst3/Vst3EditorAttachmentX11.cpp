// The Linux bundle's editor: the delay's view in windows of its own X connection.
#include <memory>

#include "editor/x11/X11Editor.h"
#include "host/vst3/Vst3EditorAttachment.h"
#include "host/vst3/Vst3Plugin.h"

namespace VstToolkit {

void AttachVst3Editor(Vst3Plugin& plugin) {
  plugin.Core().SetEditor(std::make_unique<X11Editor>(plugin.Core(), EditorFormat::kVst3));
}

}  // namespace VstToolkit
