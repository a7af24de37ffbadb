#include "host/lv2/Lv2Ui.h"

#include "host/lv2/Lv2EditorLink.h"
#include "host/lv2/Lv2Identity.h"

namespace VstToolkit {

namespace {

bool IsParameter(int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < Lv2Identity::kParameterCount;
}

}  // namespace

Lv2Ui::Lv2Ui(Lv2EditorLink& editorLink, LV2UI_Write_Function writeFunction, LV2UI_Controller uiController,
             const LV2UI_Touch* touchFeature, const LV2UI_Resize* resizeFeature)
    : editor(editorLink),
      write(writeFunction),
      controller(uiController),
      touch(touchFeature),
      resize(resizeFeature) {}

Lv2Ui::~Lv2Ui() {
  if (isOpen) {
    editor.CloseEditor();
  }
}

bool Lv2Ui::Open(uintptr_t parent, float scale) {
  if (scale > 0.0f) {
    editor.SetEditorScale(scale);
  }
  isOpen = editor.OpenEditor(parent, *this);
  if (isOpen) {
    const EditorSize size = editor.EditorSizeNow();
    ResizeWindow(size.width, size.height);
  }
  return isOpen;
}

void Lv2Ui::PortEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  const bool control = port >= Lv2Identity::kFirstControl && port < Lv2Identity::kMidiInput;
  if (isOpen && control && format == 0 && size == sizeof(float) && buffer != nullptr) {
    editor.RedrawEditor();
  }
}

int Lv2Ui::Idle() {
  if (isOpen && !editor.IdleEditor()) {
    editor.CloseEditor();
    isOpen = false;
  }
  return isOpen ? 0 : 1;
}

void Lv2Ui::TouchParameter(int32_t index, bool grabbed) {
  if (touch != nullptr && touch->touch != nullptr && IsParameter(index)) {
    touch->touch(touch->handle, Lv2Identity::kFirstControl + static_cast<uint32_t>(index), grabbed);
  }
}

void Lv2Ui::WriteParameter(int32_t index, float value) {
  if (write != nullptr && IsParameter(index)) {
    write(controller, Lv2Identity::kFirstControl + static_cast<uint32_t>(index), sizeof value, 0, &value);
  }
}

bool Lv2Ui::ResizeWindow(int32_t width, int32_t height) {
  return resize != nullptr && resize->ui_resize != nullptr && resize->ui_resize(resize->handle, width, height) == 0;
}

}  // namespace VstToolkit
