#include "editor/EditorLifecycle.h"

#include "editor/ScaledLayout.h"
#include "instance/InstanceCore.h"

namespace VstToolkit {

bool EditorLifecycle::Open(NativeWindow parent) {
  Close();
  if (!Connect(parent)) return false;
  connected = true;
  bool opened = false;
  RunTrapped([&] { opened = MakeAttachedView(ChooseScale()); });
  if (!opened) {
    // Nothing was made, so nothing is left to destroy.
    connected = false;
    Disconnect();
  }
  return opened;
}

void EditorLifecycle::Close() {
  if (!connected) return;
  RunTrapped([&] { DestroyAttachedView(); });
  connected = false;
  Disconnect();
}

bool EditorLifecycle::IsOpen() const {
  return connected && ViewAlive();
}

EditorSize EditorLifecycle::GetSize() {
  if (IsOpen()) return ViewSize();
  // What the view would have now: hosts size their window from it before opening.
  const ScaledLayout layout(ChooseScale());
  return {layout.ViewWidth(), layout.ViewHeight()};
}

void EditorLifecycle::HostScaleFactorChanged() {
  Rescale(std::nullopt);
}

void EditorLifecycle::Idle() {
  if (!connected) return;
  bool measuredChanged = false;
  RunTrapped([&] {
    core.ApplyViewChanges();
    measuredChanged = Pump();
  });
  // While a factor the host told holds, the measured one is not even asked for.
  if (measuredChanged && core.GetHostScaleFactor() <= 0.0f) Rescale(std::nullopt);
  if (connected) core.OnEditorTick();
}

void EditorLifecycle::MeasuredDpiChanged(double dpi) {
  // A factor the host told stays until it tells another.
  if (core.GetHostScaleFactor() <= 0.0f) Rescale(Toolkit::ScaleFactor::FromDpi(dpi));
}

Toolkit::ScaleFactor EditorLifecycle::ChooseScale() {
  const float told = core.GetHostScaleFactor();
  // The host's factor overrides the measured one, which then need not be asked for.
  return told > 0.0f ? Toolkit::ScaleFactor::Choose(told, 0.0) : Toolkit::ScaleFactor::FromDpi(MeasureDpi());
}

bool EditorLifecycle::MakeAttachedView(Toolkit::ScaleFactor scale) {
  ViewLink* view = MakeView(scale);
  if (view == nullptr) return false;
  viewScale = scale;
  core.SetView(view);
  ShowView();
  return true;
}

void EditorLifecycle::DestroyAttachedView() {
  // Detached first, so that nothing reaches the view while its windows go; a view the
  // host destroyed detached itself.
  if (ViewAlive()) core.SetView(nullptr);
  DestroyView();
}

void EditorLifecycle::Rescale(std::optional<Toolkit::ScaleFactor> measured) {
  // A view the host destroyed along with its window is not made again.
  if (!IsOpen()) return;
  bool remade = false;
  bool reopened = false;
  RunTrapped([&] {
    const Toolkit::ScaleFactor scale = measured ? *measured : ChooseScale();
    if (scale == viewScale) return;
    remade = true;
    DestroyAttachedView();
    reopened = MakeAttachedView(scale);
  });
  // Outside the platform's trap: the host may answer with calls of its own.
  if (reopened) {
    core.RequestEditorResize(ViewSize().width, ViewSize().height);
  } else if (remade) {
    Close();
  }
}

}  // namespace VstToolkit
