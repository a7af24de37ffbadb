// The editor the UI opens, and what the core tells the host.
#include <cstdint>

#include "host/lv2/Lv2Plugin.h"
#include "host/lv2/Lv2UiLink.h"

namespace VstToolkit {

bool Lv2Plugin::SetEditorScale(float factor) {
  return core.SetHostScaleFactor(factor);
}

// The values a new view's controls announce are no edits (the core hears edits only
// within gestures for this face), so making the view writes nothing to the host.
bool Lv2Plugin::OpenEditor(uintptr_t parent, Lv2UiLink& ui) {
  if (openUi != nullptr || parent == 0) {
    return false;
  }
  openUi = &ui;
  const bool opened = core.OpenEditor(NativeWindow{parent});
  if (!opened) {
    openUi = nullptr;
  }
  return opened;
}

void Lv2Plugin::CloseEditor() {
  core.CloseEditor();
  openUi = nullptr;
}

EditorSize Lv2Plugin::EditorSizeNow() {
  return core.GetEditorSize();
}

bool Lv2Plugin::IdleEditor() {
  if (!core.IsEditorOpen()) {
    return false;
  }
  core.IdleEditor();
  return core.IsEditorOpen();
}

void Lv2Plugin::RedrawEditor() {
  core.UpdateViewParameters();
}

void Lv2Plugin::BeginParameterEdit(int32_t index) {
  if (openUi != nullptr) {
    openUi->TouchParameter(index, true);
  }
}

void Lv2Plugin::PerformParameterEdit(int32_t index, float value) {
  if (openUi != nullptr) {
    openUi->WriteParameter(index, core.ValueToUnits(index, value));
  }
}

void Lv2Plugin::EndParameterEdit(int32_t index) {
  if (openUi != nullptr) {
    openUi->TouchParameter(index, false);
  }
}

// LV2 has no way to move a host's control input: a learned controller's value stays the
// plug-in's until the host sets the port again.
void Lv2Plugin::ParameterSetByPlugin(int32_t, float) {}

bool Lv2Plugin::ResizeEditor(int32_t width, int32_t height) {
  if (openUi == nullptr) {
    return false;
  }
  return openUi->ResizeWindow(width, height);
}

// The host saves the whole state whenever it saves; nothing to tell.
void Lv2Plugin::StateChanged() {}

}  // namespace VstToolkit
