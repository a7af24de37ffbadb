// The state: the core's own bytes, a bare VST2 bank or a VST2 program chunk, through
// streams that may take or give a few bytes per call. Main thread, audio running or not.
#include <vector>

#include "host/clap/ClapPlugin.h"
#include "model/ChunkBuffer.h"

namespace VstToolkit {

const clap_plugin_state_t ClapPlugin::kState = {&ClapPlugin::SaveState, &ClapPlugin::LoadState};

bool ClapPlugin::SaveState(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || stream == nullptr || stream->write == nullptr) {
    return false;
  }
  const ChunkBuffer& chunk = self->core.SaveInstanceState();
  const auto* bytes = static_cast<const uint8_t*>(chunk.GetData());
  const uint64_t size = chunk.GetSize();
  uint64_t written = 0;
  while (written < size) {
    const int64_t step = stream->write(stream, bytes + written, size - written);
    if (step <= 0 || static_cast<uint64_t>(step) > size - written) {
      return false;
    }
    written += static_cast<uint64_t>(step);
  }
  return true;
}

bool ClapPlugin::LoadState(const clap_plugin_t* plugin, const clap_istream_t* stream) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || stream == nullptr || stream->read == nullptr) {
    return false;
  }
  // Bytes past the largest state the core reads are never read: such a stream is refused.
  constexpr uint64_t kLimit = static_cast<uint64_t>(InstanceCore::kLargestStateRead) + 1;
  std::vector<uint8_t> bytes(kLimit);
  uint64_t size = 0;
  for (;;) {
    if (size == kLimit) {
      return false;
    }
    const int64_t step = stream->read(stream, bytes.data() + size, kLimit - size);
    if (step == 0) {
      break;
    }
    if (step < 0 || static_cast<uint64_t>(step) > kLimit - size) {
      return false;
    }
    size += static_cast<uint64_t>(step);
  }
  if (!self->core.LoadInstanceState(bytes.data(), static_cast<int32_t>(size))) {
    return false;
  }
  // The host's faders and lanes still show the values it read before the load.
  if (self->hostParams != nullptr && self->hostParams->rescan != nullptr) {
    self->hostParams->rescan(self->host, CLAP_PARAM_RESCAN_VALUES);
  }
  return true;
}

}  // namespace VstToolkit
