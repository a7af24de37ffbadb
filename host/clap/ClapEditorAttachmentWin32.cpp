// The Windows module's editor: the delay's view in the toolkit's windows.
#include <memory>

#include "editor/win32/Editor.h"
#include "host/clap/ClapEditorAttachment.h"
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

void AttachClapEditor(ClapPlugin& plugin) {
  plugin.Core().SetEditor(std::make_unique<Editor>(plugin.Core(), EditorFormat::kClap));
}

}  // namespace VstToolkit
