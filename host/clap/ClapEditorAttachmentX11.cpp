// The Linux module's editor: the delay's view in windows of its own X connection.
#include <memory>

#include "editor/x11/X11Editor.h"
#include "host/clap/ClapEditorAttachment.h"
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

void AttachClapEditor(ClapPlugin& plugin) {
  plugin.Core().SetEditor(std::make_unique<X11Editor>(plugin.Core(), EditorFormat::kClap));
}

}  // namespace VstToolkit
