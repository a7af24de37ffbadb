#include "host/lv2/Lv2Ui.h"

#include <lv2/atom/atom.h>

#include <cstring>

#include "delay/QuorvelDelayModel.h"
#include "editor/EditorFormat.h"
#include "editor/x11/X11Editor.h"
#include "host/lv2/Lv2Identity.h"
#include "host/lv2/Lv2UiFrame.h"

namespace VstToolkit {

namespace {

bool IsParameter(int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < Lv2Identity::kParameterCount;
}

// The largest message the UI sends or takes; a snapshot is far smaller.
constexpr uint32_t kLargestMessage = 1024;

}  // namespace

Lv2Ui::Lv2Ui(const LV2_URID_Map& map, LV2UI_Write_Function writeFunction, LV2UI_Controller uiController,
             const LV2UI_Touch* touchFeature, const LV2UI_Resize* resizeFeature)
    : core(std::make_unique<QuorvelDelayModel>()),
      remote(core, *this),
      write(writeFunction),
      controller(uiController),
      touch(touchFeature),
      resize(resizeFeature),
      atomChunk(map.map(map.handle, LV2_ATOM__Chunk)),
      eventTransfer(map.map(map.handle, LV2_ATOM__eventTransfer)) {
  core.Attach(*this);
  core.SetEditor(std::make_unique<X11Editor>(core, EditorFormat::kLv2));
}

Lv2Ui::~Lv2Ui() {
  // The view first: it lives inside the frame.
  core.SetEditor(nullptr);
  frame.reset();
}

bool Lv2Ui::Open(uintptr_t parent, float scale) {
  if (scale > 0.0f) {
    core.SetHostScaleFactor(scale);
  }
  const EditorSize expected = core.GetEditorSize();
  frame.reset(Lv2UiFrame::Create(parent, expected.width, expected.height));
  if (frame == nullptr || !core.OpenEditor(NativeWindow{frame->Id()})) {
    frame.reset();
    return false;
  }
  const EditorSize size = core.GetEditorSize();
  ResizeEditor(size.width, size.height);
  remote.AskForSnapshot();
  return true;
}

uintptr_t Lv2Ui::Widget() const {
  return frame != nullptr ? frame->Id() : 0;
}

// A control port's value in the port's units, or a notification from the plug-in: either
// shows within this call or the next idle, whether the plug-in runs or not.
void Lv2Ui::PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  if (buffer == nullptr) {
    return;
  }
  if (port >= Lv2Identity::kFirstControl && port < Lv2Identity::kMidiInput && format == 0 && size == sizeof(float)) {
    const auto index = static_cast<int32_t>(port - Lv2Identity::kFirstControl);
    float units = 0.0f;
    std::memcpy(&units, buffer, sizeof units);
    core.SetParameter(index, core.UnitsToValue(index, units));
  } else if (port == Lv2Identity::kUiNotify && format == eventTransfer && size >= sizeof(LV2_Atom)) {
    const auto* atom = static_cast<const LV2_Atom*>(buffer);
    if (atom->type == atomChunk && atom->size <= size - sizeof(LV2_Atom)) {
      remote.Receive(static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(atom)), atom->size);
    }
  }
}

int Lv2Ui::Idle() {
  if (!core.IsEditorOpen()) {
    return 1;
  }
  core.IdleEditor();
  return core.IsEditorOpen() ? 0 : 1;
}

void Lv2Ui::Touch(int32_t index, bool grabbed) {
  if (touch != nullptr && touch->touch != nullptr && IsParameter(index)) {
    touch->touch(touch->handle, Lv2Identity::kFirstControl + static_cast<uint32_t>(index), grabbed);
  }
}

void Lv2Ui::BeginParameterEdit(int32_t index) {
  Touch(index, true);
}

void Lv2Ui::PerformParameterEdit(int32_t index, float value) {
  if (write != nullptr && IsParameter(index)) {
    const float units = core.ValueToUnits(index, value);
    write(controller, Lv2Identity::kFirstControl + static_cast<uint32_t>(index), sizeof units, 0, &units);
  }
}

void Lv2Ui::EndParameterEdit(int32_t index) {
  Touch(index, false);
}

// The mirror never runs, so no controller of its own moves a value.
void Lv2Ui::ParameterSetByPlugin(int32_t, float) {}

// The view asks at its opening and after it was made again at another scale.
bool Lv2Ui::ResizeEditor(int32_t width, int32_t height) {
  if (frame != nullptr) {
    frame->Resize(width, height);
  }
  return resize != nullptr && resize->ui_resize != nullptr && resize->ui_resize(resize->handle, width, height) == 0;
}

// The learned map is the plug-in's state, saved there.
void Lv2Ui::StateChanged() {}

void Lv2Ui::SendToInstance(const uint8_t* bytes, uint32_t size) {
  if (write == nullptr || size > kLargestMessage) {
    return;
  }
  // An atom: its header, then the bytes, in one buffer of whole words.
  uint64_t words[(sizeof(LV2_Atom) + kLargestMessage) / sizeof(uint64_t)] = {};
  auto* atom = reinterpret_cast<LV2_Atom*>(words);
  atom->size = size;
  atom->type = atomChunk;
  std::memcpy(atom + 1, bytes, size);
  write(controller, Lv2Identity::kUiInput, static_cast<uint32_t>(sizeof(LV2_Atom)) + size, eventTransfer, atom);
}

}  // namespace VstToolkit
