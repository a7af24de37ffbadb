// The view half: keeping an open editor view in step with the model.
#include <cstdio>

#include "host/Controller.h"
#include "host/ViewLink.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {
constexpr std::size_t kStatusTextSize = 256;
}  // namespace

void Controller::SetView(ViewLink* newView) {
  Trace("Controller::SetView\r\n");
  view = newView;
  SetViewControls();
}

void Controller::UpdateViewParameters() {
  Trace("Controller::UpdateViewParameters\r\n");
  SetViewControls();
}

void Controller::SetViewControls() {
  if (view == nullptr) {
    return;
  }
  for (int32_t i = 0; i < numParams; ++i) {
    if (view->HasParameterControl(i)) {
      view->SetParameterControlValue(i, model->GetParameterValue(i));
    }
  }
}

void Controller::ShowParameterInView(int32_t index, float value) {
  if (view == nullptr) {
    return;
  }
  if (view->HasParameterControl(index)) {
    view->SetParameterControlValue(index, value);
  }
  if (!isHoveringControl) {
    UpdateViewStatusText(index);
  }
}

void Controller::ShowViewStatus(const char* text) {
  if (view != nullptr) {
    view->SetStatusText(text);
  }
}

void Controller::UpdateViewStatusText(int32_t index) {
  Trace("Controller::UpdateViewStatusText\r\n");
  if (view == nullptr || !IsParameterIndex(index)) {
    return;
  }
  char text[kStatusTextSize];
  std::snprintf(text, sizeof(text), "%s: %s %s", model->GetParameterLongName(index),
                model->GetParameterDisplay(index).c_str(), model->GetParameterLabel(index));
  view->SetStatusText(text);
}

void Controller::OnViewParameterValueChanged(int32_t index, float value) {
  Trace("Controller::OnViewParameterValueChanged\r\n");
  if (!IsParameterIndex(index) || !AcceptParameterValue(value)) {
    return;
  }
  model->SetParameterValue(index, value);
  setParameterAutomated(index, value);
  UpdateViewStatusText(index);
}

void Controller::OnModelParameterValueChanged(int32_t index, float value) {
  Trace("Controller::OnModelParameterValueChanged\r\n");
  if (!IsParameterIndex(index)) {
    return;
  }
  ShowParameterInView(index, value);
  setParameterAutomated(index, value);
}

void Controller::OnModelMidiLearned() {
  Trace("Controller::OnModelMidiLearned\r\n");
  ShowViewStatus("");
}

void Controller::OnParameterControlMouseHover(int32_t index) {
  Trace("Controller::OnParameterControlMouseHover\r\n");
  isHoveringControl = true;
  UpdateViewStatusText(index);
}

void Controller::OnParameterControlMouseLeave() {
  Trace("Controller::OnParameterControlMouseLeave\r\n");
  isHoveringControl = false;
  if (view != nullptr) {
    view->SetStatusText(model->IsLearningMidi() ? "Learning..." : "");
  }
}

}  // namespace VstToolkit
