// What the core tells the host, and the editor's view.
#include <cstring>

#include "host/vst3/Vst3Plugin.h"
#include "host/vst3/Vst3View.h"

namespace VstToolkit {

void Vst3Plugin::BeginParameterEdit(int32_t index) {
  if (componentHandler != nullptr) {
    componentHandler->beginEdit(static_cast<ParamID>(index));
  }
}

void Vst3Plugin::PerformParameterEdit(int32_t index, float value) {
  if (componentHandler != nullptr) {
    componentHandler->performEdit(static_cast<ParamID>(index), value);
  }
  // The bypass shows Enabled: the host reads it again with the other values.
  if (index == static_cast<int32_t>(Vst3ParameterIds::kEnabled)) {
    parameterValuesMark.store(true, std::memory_order_release);
  }
}

void Vst3Plugin::EndParameterEdit(int32_t index) {
  if (componentHandler != nullptr) {
    componentHandler->endEdit(static_cast<ParamID>(index));
  }
}

bool Vst3Plugin::ResizeEditor(int32_t width, int32_t height) {
  return editorView != nullptr && editorView->RequestResize(width, height);
}

// A learn changes the state on the audio thread, where the host's handler must not be
// called: the mark waits for the user-interface thread.
void Vst3Plugin::StateChanged() {
  stateChangedMark.store(true, std::memory_order_release);
}

void Vst3Plugin::EditorTicked() {
  DeliverHostMarks();
}

void Vst3Plugin::DeliverHostMarks() {
  if (componentHandler == nullptr || handlerThread.load(std::memory_order_relaxed) != std::this_thread::get_id()) {
    return;
  }
  if (parameterValuesMark.load(std::memory_order_relaxed) &&
      parameterValuesMark.exchange(false, std::memory_order_acquire)) {
    componentHandler->restartComponent(Steinberg::Vst::kParamValuesChanged);
  }
  if (componentHandler2 != nullptr && stateChangedMark.load(std::memory_order_relaxed) &&
      stateChangedMark.exchange(false, std::memory_order_acquire)) {
    componentHandler2->setDirty(1);
  }
}

void Vst3Plugin::ReleaseComponentHandler() {
  if (componentHandler2 != nullptr) {
    componentHandler2->release();
    componentHandler2 = nullptr;
  }
  if (componentHandler != nullptr) {
    componentHandler->release();
    componentHandler = nullptr;
  }
}

// A second view would take the editor from the first, which the host still shows and
// idles: while one view holds it there is none for another, as hosts expect of most
// plug-ins.
Steinberg::IPlugView* Vst3Plugin::createView(Steinberg::FIDString name) {
  if (name == nullptr || std::strcmp(name, Steinberg::Vst::ViewType::kEditor) != 0 || !core.HasEditor() ||
      editorView != nullptr) {
    return nullptr;
  }
  editorView = new Vst3View(*this, core);
  return editorView;
}

bool Vst3Plugin::ClaimEditor(Vst3View* view) {
  if (editorView != nullptr && editorView != view) {
    return false;
  }
  editorView = view;
  return true;
}

void Vst3Plugin::ReleaseEditor(Vst3View* view) {
  if (editorView == view) {
    editorView = nullptr;
  }
}

}  // namespace VstToolkit
