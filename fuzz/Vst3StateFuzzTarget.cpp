// Arbitrary bytes as a VST3 host's state for the real face (Vst3Plugin on the delay's
// model), in pieces of a size the input chooses: a refused state must leave the state as
// it was; an accepted one, saved, loaded into a fresh instance and saved again, must give
// the same bytes twice.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "delay/QuorvelDelayModel.h"
#include "fuzz/FuzzModel.h"
#include "host/vst3/Vst3Plugin.h"

using QuorvelFuzz::Check;
using Bytes = std::vector<uint8_t>;

namespace {

// A host's stream over bytes in memory, giving at most `piece` bytes a read.
class Stream final : public Steinberg::IBStream {
 public:
  Stream(Bytes content, int32_t readPiece) : bytes(std::move(content)), piece(readPiece) {}
  Steinberg::tresult queryInterface(const Steinberg::TUID, void** obj) override {
    *obj = nullptr;
    return Steinberg::kNoInterface;
  }
  Steinberg::uint32 addRef() override { return 1; }
  Steinberg::uint32 release() override { return 1; }
  Steinberg::tresult read(void* buffer, Steinberg::int32 count, Steinberg::int32* done) override {
    const size_t left = bytes.size() - position;
    size_t n = static_cast<size_t>(count) < left ? static_cast<size_t>(count) : left;
    n = n < static_cast<size_t>(piece) ? n : static_cast<size_t>(piece);
    if (n > 0) {
      std::memcpy(buffer, bytes.data() + position, n);
    }
    position += n;
    *done = static_cast<Steinberg::int32>(n);
    return Steinberg::kResultOk;
  }
  Steinberg::tresult write(void* buffer, Steinberg::int32 count, Steinberg::int32* done) override {
    const auto* data = static_cast<const uint8_t*>(buffer);
    bytes.insert(bytes.end(), data, data + count);
    *done = count;
    return Steinberg::kResultOk;
  }
  Steinberg::tresult seek(Steinberg::int64, Steinberg::int32, Steinberg::int64*) override {
    return Steinberg::kNotImplemented;
  }
  Steinberg::tresult tell(Steinberg::int64*) override { return Steinberg::kNotImplemented; }

  Bytes bytes;

 private:
  int32_t piece;
  size_t position = 0;
};

struct Instance {
  Instance() : plugin(new VstToolkit::Vst3Plugin(std::make_unique<QuorvelDelayModel>())) {}
  ~Instance() { plugin->release(); }
  Steinberg::Vst::IComponent& Component() { return *plugin; }
  Bytes Save() {
    Stream stream({}, 1 << 30);
    Check(Component().getState(&stream) == Steinberg::kResultOk, "the state cannot be saved");
    return stream.bytes;
  }
  bool Load(const Bytes& bytes, int32_t piece) {
    Stream stream(bytes, piece);
    return Component().setState(&stream) == Steinberg::kResultOk;
  }
  VstToolkit::Vst3Plugin* plugin;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 70000) {
    return 0;
  }
  const int32_t piece = size > 0 ? 1 + data[0] % 64 : 1;
  const Bytes input(data, data + size);
  Instance instance;
  const Bytes before = instance.Save();
  if (!instance.Load(input, piece)) {
    Check(instance.Save() == before, "a refused state changed the state");
    return 0;
  }
  const Bytes first = instance.Save();
  Instance fresh;
  Check(fresh.Load(first, 1 << 30), "a saved state does not load");
  Check(fresh.Save() == first, "save, load, save gives other bytes");
  return 0;
}
