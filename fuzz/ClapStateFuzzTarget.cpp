// Arbitrary bytes as a CLAP host's state for the real face (ClapPlugin on the delay's
// model), through a stream giving pieces of a size the input chooses: a refused state must
// leave the state as it was; an accepted one, saved, loaded into a fresh instance and
// saved again, must give the same bytes twice.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "delay/QuorvelDelayModel.h"
#include "fuzz/FuzzModel.h"
#include "host/clap/ClapPlugin.h"

using QuorvelFuzz::Check;
using Bytes = std::vector<uint8_t>;

namespace {

// A host that offers no extension.
const void* NoExtension(const clap_host_t*, const char*) {
  return nullptr;
}
void Nothing(const clap_host_t*) {}
const clap_host_t kHost = {CLAP_VERSION, nullptr, "fuzz", "", "", "", &NoExtension, &Nothing, &Nothing, &Nothing};

struct Stream {
  Bytes bytes;
  size_t piece;
  size_t position = 0;
};

int64_t Read(const clap_istream_t* stream, void* buffer, uint64_t size) {
  auto* source = static_cast<Stream*>(stream->ctx);
  size_t n = source->bytes.size() - source->position;
  n = size < n ? static_cast<size_t>(size) : n;
  n = source->piece < n ? source->piece : n;
  if (n > 0) {
    std::memcpy(buffer, source->bytes.data() + source->position, n);
  }
  source->position += n;
  return static_cast<int64_t>(n);
}

int64_t Write(const clap_ostream_t* stream, const void* buffer, uint64_t size) {
  auto* sink = static_cast<Bytes*>(stream->ctx);
  const auto* data = static_cast<const uint8_t*>(buffer);
  sink->insert(sink->end(), data, data + size);
  return static_cast<int64_t>(size);
}

struct Instance {
  Instance() {
    auto* face = new VstToolkit::ClapPlugin(&kHost, nullptr, std::make_unique<QuorvelDelayModel>());
    plugin = face->Record();
    plugin->init(plugin);
    state = static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
  }
  ~Instance() { plugin->destroy(plugin); }
  Bytes Save() {
    Bytes bytes;
    const clap_ostream_t stream{&bytes, &Write};
    Check(state->save(plugin, &stream), "the state cannot be saved");
    return bytes;
  }
  bool Load(const Bytes& bytes, size_t piece) {
    Stream source{bytes, piece};
    const clap_istream_t stream{&source, &Read};
    return state->load(plugin, &stream);
  }
  const clap_plugin_t* plugin;
  const clap_plugin_state_t* state;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) {
    return 0;
  }
  const size_t piece = size > 0 ? 1 + data[0] % 64 : 1;
  const Bytes input(data, data + size);
  Instance instance;
  const Bytes before = instance.Save();
  if (!instance.Load(input, piece)) {
    Check(instance.Save() == before, "a refused state changed the state");
    return 0;
  }
  const Bytes first = instance.Save();
  Instance fresh;
  Check(fresh.Load(first, size_t{1} << 30), "a saved state does not load");
  Check(fresh.Save() == first, "save, load, save gives other bytes");
  return 0;
}
