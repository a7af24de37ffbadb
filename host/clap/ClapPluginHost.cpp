// What the core tells the host.
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

void ClapPlugin::QueueEdit(ClapEditQueue::Kind kind, int32_t index, float value) {
  edits.Push(ClapEditQueue::Edit{kind, index, value});
  // request_flush is never for the audio thread; the editor's edits come on the main one.
  if (hostParams != nullptr && hostParams->request_flush != nullptr) {
    hostParams->request_flush(host);
  }
}

// User-interface thread, each: the core tells edits only within a gesture (this face
// takes none outside one, such as a new view's controls announcing their values).
void ClapPlugin::BeginParameterEdit(int32_t index) {
  QueueEdit(ClapEditQueue::Kind::kBegin, index, 0.0f);
}

void ClapPlugin::PerformParameterEdit(int32_t index, float value) {
  QueueEdit(ClapEditQueue::Kind::kValue, index, value);
}

void ClapPlugin::EndParameterEdit(int32_t index) {
  QueueEdit(ClapEditQueue::Kind::kEnd, index, 0.0f);
}

bool ClapPlugin::ResizeEditor(int32_t width, int32_t height) {
  if (hostGui == nullptr || hostGui->request_resize == nullptr || width <= 0 || height <= 0) {
    return false;
  }
  return hostGui->request_resize(host, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

bool ClapPlugin::OnMainThreadByHost() const {
  return hostThreads != nullptr && hostThreads->is_main_thread != nullptr && hostThreads->is_main_thread(host);
}

// Any thread. mark_dirty belongs to the main thread: from there it is called at once, from
// anywhere else (a learn on the audio thread) the host calls back on its main thread.
void ClapPlugin::StateChanged() {
  if (OnMainThreadByHost() && hostState != nullptr && hostState->mark_dirty != nullptr) {
    hostState->mark_dirty(host);
    return;
  }
  stateDirty.store(true, std::memory_order_release);
  if (host->request_callback != nullptr) {
    host->request_callback(host);
  }
}

}  // namespace VstToolkit
