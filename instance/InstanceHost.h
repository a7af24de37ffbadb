#pragma once

#include <cstdint>

namespace VstToolkit {

// What the instance core tells the face that hosts it: each format turns these into its
// own host calls.
class InstanceHost {
 public:
  // User-interface thread: the user began a gesture on parameter `index` (a drag, a
  // click), changed its value within it, and ended it.
  virtual void BeginParameterEdit(int32_t index) = 0;
  virtual void PerformParameterEdit(int32_t index, float value) = 0;
  virtual void EndParameterEdit(int32_t index) = 0;
  // Audio thread: the plug-in itself moved a parameter (a learned MIDI controller).
  virtual void ParameterSetByPlugin(int32_t index, float value) = 0;
  // User-interface thread: the editor wants another size in device pixels; false where
  // the host keeps its window as it is.
  virtual bool ResizeEditor(int32_t width, int32_t height) = 0;
  // Any thread: the state changed in a way the parameters do not show (MIDI learn).
  virtual void StateChanged() = 0;
  // User-interface thread: whether a control's value change outside any gesture reaches
  // the model and PerformParameterEdit. Such changes are only the controls announcing
  // their first values as a view is made; VST2 hosts have always heard them as automated
  // edits, every other format hears edits only within a gesture.
  virtual bool TakesEditsOutsideGestures() const { return false; }
  // User-interface thread: the open editor's periodic tick, a turn for what a face keeps
  // for the host until it is on this thread (news from the audio thread).
  virtual void EditorTicked() {}

 protected:
  ~InstanceHost() = default;
};

}  // namespace VstToolkit
