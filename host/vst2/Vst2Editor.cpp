#include "host/vst2/Vst2Editor.h"

#include <cstdint>

#include "instance/InstanceCore.h"

namespace {

VstInt16 Extent(int32_t pixels) {
  return static_cast<VstInt16>(pixels < INT16_MAX ? (pixels > 0 ? pixels : 0) : INT16_MAX);
}

}  // namespace

Vst2Editor::Vst2Editor(AudioEffect* owner, VstToolkit::InstanceCore& core_) : AEffEditor(owner), core(core_) {}

Vst2Editor::~Vst2Editor() = default;

bool Vst2Editor::getRect(ERect** result) {
  if (result == nullptr) return false;
  const VstToolkit::EditorSize size = core.GetEditorSize();
  rect = ERect{0, 0, Extent(size.height), Extent(size.width)};
  *result = &rect;
  return true;
}

bool Vst2Editor::open(void* parent) {
  systemWindow = parent;
  return core.OpenEditor(VstToolkit::NativeWindow{reinterpret_cast<uintptr_t>(parent)});
}

void Vst2Editor::close() {
  systemWindow = nullptr;
  core.CloseEditor();
}

void Vst2Editor::idle() {
  core.IdleEditor();
}
