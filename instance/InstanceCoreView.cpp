// The view half: keeping an open editor view in step with the model. Other threads
// only mark; the view's own thread applies the marks.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/ViewLink.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {
constexpr std::size_t kStatusTextSize = 256;
}  // namespace

void InstanceCore::SetView(ViewLink* newView) {
  Trace("Controller::SetView\r\n");
  // The controls that began them are gone, and their ends with them.
  EndViewGestures();
  view = newView;
  viewThread.store(newView != nullptr ? std::this_thread::get_id() : std::thread::id(), std::memory_order_relaxed);
  // A newly attached view starts from the model as it is: older marks are spent.
  for (int32_t i = 0; i < parameterCount; ++i) {
    parameterMarks[i].changed.store(false, std::memory_order_relaxed);
  }
  allParametersMark.store(false, std::memory_order_relaxed);
  statusMark.store(kNoStatusMark, std::memory_order_relaxed);
  SetViewControls();
}

void InstanceCore::UpdateViewParameters() {
  Trace("Controller::UpdateViewParameters\r\n");
  allParametersMark.store(true, std::memory_order_release);
  ApplyViewChangesOnViewThread();
}

void InstanceCore::SetViewControls() {
  if (view == nullptr) {
    return;
  }
  for (int32_t i = 0; i < parameterCount; ++i) {
    if (!view->HasParameterControl(i)) {
      continue;
    }
    if (InViewGesture(i)) {
      // Shown when the gesture ends, unless a newer mark comes first.
      ParameterMark& mark = parameterMarks[i];
      mark.value.store(model->GetParameterValue(i), std::memory_order_relaxed);
      mark.changed.store(true, std::memory_order_release);
      continue;
    }
    view->SetParameterControlValue(i, model->GetParameterValue(i));
  }
}

bool InstanceCore::InViewGesture(int32_t index) const {
  return std::find(openGestures.begin(), openGestures.end(), index) != openGestures.end();
}

void InstanceCore::ShowParameterInView(int32_t index, float value) {
  ParameterMark& mark = parameterMarks[index];
  mark.value.store(value, std::memory_order_relaxed);
  mark.changed.store(true, std::memory_order_release);
  statusMark.store(index, std::memory_order_relaxed);
  ApplyViewChangesOnViewThread();
}

void InstanceCore::ShowViewStatus(const char* text) {
  if (view != nullptr) {
    view->SetStatusText(text);
  }
}

void InstanceCore::ApplyViewChangesOnViewThread() {
  if (viewThread.load(std::memory_order_relaxed) == std::this_thread::get_id()) {
    ApplyViewChanges();
  }
}

void InstanceCore::ApplyViewChanges() {
  if (view == nullptr) {
    return;
  }
  for (int32_t i = 0; i < parameterCount; ++i) {
    ParameterMark& mark = parameterMarks[i];
    if (!openGestures.empty() && InViewGesture(i)) {
      continue;
    }
    if (mark.changed.load(std::memory_order_relaxed) && mark.changed.exchange(false, std::memory_order_acquire) &&
        view->HasParameterControl(i)) {
      view->SetParameterControlValue(i, mark.value.load(std::memory_order_relaxed));
    }
  }
  // After the single values: a program or bank loaded since shows the model's newest values.
  if (allParametersMark.load(std::memory_order_relaxed) &&
      allParametersMark.exchange(false, std::memory_order_acquire)) {
    SetViewControls();
  }
  const int32_t status = statusMark.exchange(kNoStatusMark, std::memory_order_relaxed);
  if (status == kEmptyStatusMark) {
    ShowViewStatus("");
  } else if (status != kNoStatusMark && !isHoveringControl) {
    UpdateViewStatusText(status);
  }
}

void InstanceCore::OnEditorTick() {
  if (host != nullptr) {
    host->EditorTicked();
  }
}

void InstanceCore::UpdateViewStatusText(int32_t index) {
  Trace("Controller::UpdateViewStatusText\r\n");
  if (view == nullptr || !IsParameterIndex(index)) {
    return;
  }
  char text[kStatusTextSize];
  std::snprintf(text, sizeof(text), "%s: %s %s", model->GetParameterLongName(index),
                model->GetParameterDisplay(index).c_str(), model->GetParameterLabel(index));
  view->SetStatusText(text);
}

void InstanceCore::OnViewGestureBegan(int32_t index) {
  if (view == nullptr || !IsParameterIndex(index) || InViewGesture(index)) {
    return;
  }
  openGestures.push_back(index);
  if (host != nullptr) {
    host->BeginParameterEdit(index);
  }
}

void InstanceCore::OnViewGestureEnded(int32_t index) {
  const auto open = std::find(openGestures.begin(), openGestures.end(), index);
  if (open == openGestures.end()) {
    return;
  }
  openGestures.erase(open);
  if (host != nullptr) {
    host->EndParameterEdit(index);
  }
  ApplyViewChangesOnViewThread();
}

void InstanceCore::EndViewGestures() {
  std::vector<int32_t> ending;
  ending.swap(openGestures);
  for (const int32_t index : ending) {
    if (host != nullptr) {
      host->EndParameterEdit(index);
    }
  }
}

void InstanceCore::OnViewParameterValueChanged(int32_t index, float value) {
  Trace("Controller::OnViewParameterValueChanged\r\n");
  if (!IsParameterIndex(index) || !AcceptParameterValue(value)) {
    return;
  }
  if (!InViewGesture(index) && host != nullptr && !host->TakesEditsOutsideGestures()) {
    // A new view's controls announcing their values: the model keeps its own, the host hears nothing.
    UpdateViewStatusText(index);
    return;
  }
  model->SetParameterValue(index, value);
  if (host != nullptr) {
    host->PerformParameterEdit(index, value);
  }
  UpdateViewStatusText(index);
}

void InstanceCore::OnModelParameterValueChanged(int32_t index, float value) {
  Trace("Controller::OnModelParameterValueChanged\r\n");
  if (!IsParameterIndex(index)) {
    return;
  }
  ShowParameterInView(index, value);
  if (host != nullptr) {
    host->ParameterSetByPlugin(index, value);
  }
}

void InstanceCore::OnModelMidiLearned() {
  Trace("Controller::OnModelMidiLearned\r\n");
  statusMark.store(kEmptyStatusMark, std::memory_order_relaxed);
  ApplyViewChangesOnViewThread();
  if (host != nullptr) {
    host->StateChanged();
  }
}

void InstanceCore::OnParameterControlMouseHover(int32_t index) {
  Trace("Controller::OnParameterControlMouseHover\r\n");
  isHoveringControl = true;
  UpdateViewStatusText(index);
}

void InstanceCore::OnParameterControlMouseLeave() {
  Trace("Controller::OnParameterControlMouseLeave\r\n");
  isHoveringControl = false;
  if (view != nullptr) {
    view->SetStatusText(model->IsLearningMidi() ? "Learning..." : "");
  }
}

}  // namespace VstToolkit
