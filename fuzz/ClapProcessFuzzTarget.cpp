// CLAP blocks read from the input through the real face (ClapPlugin on the delay's model):
// any number of events of any type, size, time and order, parameter values of any bits,
// MIDI of any bytes, transports of any fields, blocks of any length in separate or shared
// buffers or none, flushes and resets between them. Every call must return; every value
// the host reads back lies in its parameter's range, and every event the plug-in reports
// is a parameter value of a known ID, inside the block, within that range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "delay/QuorvelDelayModel.h"
#include "fuzz/FuzzInput.h"
#include "fuzz/FuzzModel.h"
#include "host/clap/ClapPlugin.h"

using QuorvelFuzz::Check;
using QuorvelFuzz::FuzzInput;

namespace {

constexpr int32_t kLargestBlock = 1024;
constexpr int32_t kLargestEventList = 32;
constexpr int32_t kLongestSession = 64;

const void* NoExtension(const clap_host_t*, const char*) {
  return nullptr;
}
void Nothing(const clap_host_t*) {}
const clap_host_t kHost = {CLAP_VERSION, nullptr, "fuzz", "", "", "", &NoExtension, &Nothing, &Nothing, &Nothing};

// An event list over fixed records, each as long as the largest event.
struct Events {
  struct Slot {
    alignas(8) uint8_t bytes[sizeof(clap_event_transport_t)];
  };
  std::vector<Slot> slots;
  clap_input_events_t list{this, &Size, &Get};
  static uint32_t Size(const clap_input_events_t* events) {
    return static_cast<uint32_t>(static_cast<const Events*>(events->ctx)->slots.size());
  }
  static const clap_event_header_t* Get(const clap_input_events_t* events, uint32_t index) {
    const auto* self = static_cast<const Events*>(events->ctx);
    return index < self->slots.size() ? reinterpret_cast<const clap_event_header_t*>(self->slots[index].bytes)
                                      : nullptr;
  }
};

// True when `id` is a parameter's and `value` lies in its range.
bool InRange(const clap_plugin_t* plugin, const clap_plugin_params_t* params, clap_id id, double value) {
  const uint32_t count = params->count(plugin);
  for (uint32_t index = 0; index < count; ++index) {
    clap_param_info_t info{};
    if (params->get_info(plugin, index, &info) && info.id == id) {
      return value >= info.min_value && value <= info.max_value;
    }
  }
  return false;
}

struct Output {
  int32_t frames = 0;
  const clap_plugin_t* plugin = nullptr;
  const clap_plugin_params_t* params = nullptr;
  clap_output_events_t list{this, &Push};
  static bool Push(const clap_output_events_t* events, const clap_event_header_t* event) {
    const auto* self = static_cast<const Output*>(events->ctx);
    Check(event != nullptr && event->type == CLAP_EVENT_PARAM_VALUE && event->size == sizeof(clap_event_param_value_t),
          "the plug-in reports something other than a value");
    const auto* value = reinterpret_cast<const clap_event_param_value_t*>(event);
    Check(InRange(self->plugin, self->params, value->param_id, value->value),
          "a reported value is out of range");
    Check(static_cast<int32_t>(event->time) < (self->frames > 0 ? self->frames : 1), "a report lies past the block");
    return true;
  }
};

void ReadEvent(FuzzInput& input, Events::Slot& slot) {
  std::memset(slot.bytes, 0, sizeof slot.bytes);
  clap_event_header_t header{};
  const uint8_t kind = input.Byte();
  header.type = static_cast<uint16_t>(kind % 14);
  header.space_id = static_cast<uint16_t>(kind >= 240 ? 1 : 0);
  header.time = input.Byte() < 16 ? input.Bits32() : static_cast<uint32_t>(input.Int16() & 0x7FF);
  const size_t sizes[] = {sizeof(clap_event_param_value_t), sizeof(clap_event_midi_t), sizeof(clap_event_transport_t),
                          sizeof(clap_event_header_t)};
  header.size = static_cast<uint32_t>(sizes[input.Byte() % 4]);
  input.Take(slot.bytes + sizeof header, sizeof slot.bytes - sizeof header);
  std::memcpy(slot.bytes, &header, sizeof header);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput input(data, size);
  auto* face = new VstToolkit::ClapPlugin(&kHost, nullptr, std::make_unique<QuorvelDelayModel>());
  const clap_plugin_t* plugin = face->Record();
  plugin->init(plugin);
  const auto* params = static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
  const double rates[] = {8000.0, 44100.0, 96000.0};
  plugin->activate(plugin, rates[input.Byte() % 3], 1, kLargestBlock);
  plugin->start_processing(plugin);
  std::vector<float> left(kLargestBlock);
  std::vector<float> right(kLargestBlock);
  std::vector<float> outLeft(kLargestBlock);
  std::vector<float> outRight(kLargestBlock);
  Events events;
  Output output;
  output.plugin = plugin;
  output.params = params;
  for (int32_t call = 0; call < kLongestSession && !input.Empty(); ++call) {
    const uint8_t what = input.Byte();
    events.slots.resize(input.Byte() % (kLargestEventList + 1));
    for (Events::Slot& slot : events.slots) {
      ReadEvent(input, slot);
    }
    if (what % 8 == 0) {
      plugin->reset(plugin);
      continue;
    }
    if (what % 8 == 1) {
      params->flush(plugin, &events.list, &output.list);
      continue;
    }
    const int32_t frames = what % 8 == 2 ? 0 : static_cast<int32_t>(input.Int16() & (kLargestBlock - 1));
    for (int32_t i = 0; i < frames; ++i) {
      left[static_cast<size_t>(i)] = static_cast<float>(input.Int16()) / 32768.0f;
      right[static_cast<size_t>(i)] = left[static_cast<size_t>(i)];
    }
    float* in[2] = {left.data(), right.data()};
    float* out[2] = {outLeft.data(), outRight.data()};
    const bool shared = (what & 8) != 0;
    clap_audio_buffer_t inputs{in, nullptr, 2, 0, 0};
    clap_audio_buffer_t outputs{shared ? in : out, nullptr, 2, 0, 0};
    const bool buffers = frames > 0 && (what & 16) == 0;
    clap_event_transport_t transport{};
    input.Take(reinterpret_cast<uint8_t*>(&transport), (what & 32) != 0 ? sizeof transport : 0);
    const clap_process_t process{-1,
                                 static_cast<uint32_t>(frames),
                                 (what & 32) != 0 ? &transport : nullptr,
                                 buffers ? &inputs : nullptr,
                                 buffers ? &outputs : nullptr,
                                 buffers ? 1u : 0u,
                                 buffers ? 1u : 0u,
                                 &events.list,
                                 &output.list};
    output.frames = frames;
    Check(plugin->process(plugin, &process) == CLAP_PROCESS_CONTINUE, "a block was refused");
    for (uint32_t index = 0; index < params->count(plugin); ++index) {
      clap_param_info_t info{};
      double value = -1.0;
      Check(params->get_info(plugin, index, &info) && params->get_value(plugin, info.id, &value) &&
                InRange(plugin, params, info.id, value),
            "a value is out of range");
    }
  }
  plugin->stop_processing(plugin);
  plugin->deactivate(plugin);
  plugin->destroy(plugin);
  return 0;
}
