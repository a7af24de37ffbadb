#pragma once

#include <atomic>
#include <cstdint>

namespace VstToolkit {

class Model;

// The instance's side of an editor that shows it from across a channel
// (RemoteInstanceLink): carries out the editor's MIDI-learn commands on the model and
// answers with a snapshot of the values, the learned controller map and the parameter
// being learned whenever the view may show something the host's channel does not bring
// (asked for, a command done, a controller learned or moving a value, a state loaded).
class RemoteViewServer final {
 public:
  explicit RemoteViewServer(Model& model_) : model(model_) {}
  RemoteViewServer(const RemoteViewServer&) = delete;
  RemoteViewServer& operator=(const RemoteViewServer&) = delete;

  // Audio thread: a command from the view; false, changing nothing, for bytes that are none.
  bool Receive(const uint8_t* bytes, uint32_t size);
  // Any thread: the view is to hear everything again.
  void MarkChanged() { due.store(true, std::memory_order_release); }
  // Audio thread: where a snapshot is due and fits in `capacity`, writes it into `out`
  // and answers its size; 0 otherwise (a snapshot that does not fit stays due).
  uint32_t TakeSnapshot(uint8_t* out, uint32_t capacity);

 private:
  Model& model;
  std::atomic<bool> due{false};
};

}  // namespace VstToolkit
