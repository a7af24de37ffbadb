#include "host/vst3/Vst3View.h"

#include <cstring>

#include "host/vst3/Vst3Plugin.h"
#include "instance/InstanceCore.h"

namespace VstToolkit {

Vst3View::Vst3View(Vst3Plugin& owner, InstanceCore& instanceCore) : plugin(owner), core(instanceCore) {
  plugin.addRef();
}

Vst3View::~Vst3View() {
  if (isAttached) {
    removed();
  }
  plugin.ReleaseEditor(this);
  plugin.release();
}

Steinberg::tresult Vst3View::queryInterface(const Steinberg::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  void* found = nullptr;
  if (Steinberg::FUnknown::iid.Equals(interfaceId) || Steinberg::IPlugView::iid.Equals(interfaceId)) {
    found = static_cast<Steinberg::IPlugView*>(this);
  } else if (Steinberg::IPlugViewContentScaleSupport::iid.Equals(interfaceId)) {
    found = static_cast<Steinberg::IPlugViewContentScaleSupport*>(this);
  } else if (Steinberg::Linux::IEventHandler::iid.Equals(interfaceId)) {
    found = static_cast<Steinberg::Linux::IEventHandler*>(this);
  } else if (Steinberg::Linux::ITimerHandler::iid.Equals(interfaceId)) {
    found = static_cast<Steinberg::Linux::ITimerHandler*>(this);
  }
  *obj = found;
  if (found == nullptr) {
    return Steinberg::kNoInterface;
  }
  addRef();
  return Steinberg::kResultOk;
}

Steinberg::uint32 Vst3View::addRef() {
  return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

Steinberg::uint32 Vst3View::release() {
  const Steinberg::uint32 left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) {
    delete this;
  }
  return left;
}

Steinberg::tresult Vst3View::isPlatformTypeSupported(Steinberg::FIDString type) {
  return type != nullptr && std::strcmp(type, PlatformType()) == 0 ? Steinberg::kResultTrue : Steinberg::kResultFalse;
}

Steinberg::tresult Vst3View::attached(void* parent, Steinberg::FIDString type) {
  if (isAttached || parent == nullptr || isPlatformTypeSupported(type) != Steinberg::kResultTrue ||
      !plugin.ClaimEditor(this)) {
    return Steinberg::kResultFalse;
  }
  if (!core.OpenEditor(NativeWindow{reinterpret_cast<uintptr_t>(parent)})) {
    plugin.ReleaseEditor(this);
    return Steinberg::kResultFalse;
  }
  isAttached = true;
  StartIdle();
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::removed() {
  if (!isAttached) {
    return Steinberg::kResultFalse;
  }
  // Only the view holding the editor is ever attached, so the editor closed is its own.
  StopIdle();
  core.CloseEditor();
  plugin.ReleaseEditor(this);
  isAttached = false;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::onWheel(float) {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3View::onKeyDown(Steinberg::char16, Steinberg::int16, Steinberg::int16) {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3View::onKeyUp(Steinberg::char16, Steinberg::int16, Steinberg::int16) {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3View::getSize(Steinberg::ViewRect* size) {
  if (size == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  const EditorSize editorSize = core.GetEditorSize();
  *size = Steinberg::ViewRect{0, 0, editorSize.width, editorSize.height};
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::onSize(Steinberg::ViewRect* newSize) {
  // The editor has one size per scale factor; whatever the host's window does, it keeps it.
  return newSize != nullptr ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
}

Steinberg::tresult Vst3View::onFocus(Steinberg::TBool) {
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::setFrame(Steinberg::IPlugFrame* newFrame) {
  frame = newFrame;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::canResize() {
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3View::checkSizeConstraint(Steinberg::ViewRect* rect) {
  if (rect == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  getSize(rect);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3View::setContentScaleFactor(ScaleFactor factor) {
  // A view another one has replaced must not remake that one's editor.
  if (!plugin.MayUseEditor(this)) {
    return Steinberg::kResultFalse;
  }
  return core.SetHostScaleFactor(factor) ? Steinberg::kResultOk : Steinberg::kResultFalse;
}

void Vst3View::onFDIsSet(Steinberg::Linux::FileDescriptor) {
  core.IdleEditor();
}

void Vst3View::onTimer() {
  core.IdleEditor();
}

bool Vst3View::RequestResize(int32_t width, int32_t height) {
  if (frame == nullptr) {
    return false;
  }
  Steinberg::ViewRect size{0, 0, width, height};
  return frame->resizeView(this, &size) == Steinberg::kResultOk;
}

}  // namespace VstToolkit
