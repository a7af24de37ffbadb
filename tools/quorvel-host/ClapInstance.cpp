#include "tools/quorvel-host/ClapInstance.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "tools/quorvel-host/ClapModule.h"

namespace QuorvelHost {

namespace {

// Streams over a byte vector that move at most `piece` bytes per call.
struct StreamContext {
  std::vector<uint8_t>* bytes;
  size_t position;
  uint32_t piece;
};

int64_t WriteStream(const clap_ostream_t* stream, const void* buffer, uint64_t size) {
  auto* context = static_cast<StreamContext*>(stream->ctx);
  const uint64_t taken = std::min<uint64_t>(size, context->piece);
  const auto* from = static_cast<const uint8_t*>(buffer);
  context->bytes->insert(context->bytes->end(), from, from + taken);
  return static_cast<int64_t>(taken);
}

int64_t ReadStream(const clap_istream_t* stream, void* buffer, uint64_t size) {
  auto* context = static_cast<StreamContext*>(stream->ctx);
  const uint64_t left = context->bytes->size() - context->position;
  const uint64_t given = std::min<uint64_t>({size, left, context->piece});
  if (given > 0) {
    std::memcpy(buffer, context->bytes->data() + context->position, given);
  }
  context->position += given;
  return static_cast<int64_t>(given);
}

}  // namespace

std::unique_ptr<ClapInstance> ClapInstance::Create(const ClapModule& module, std::string& error) {
  std::unique_ptr<ClapInstance> instance(new ClapInstance());
  const clap_plugin_factory_t& factory = module.Factory();
  instance->plugin_ = factory.create_plugin(&factory, instance->host_.Record(), module.Descriptor()->id);
  const clap_plugin_t* plugin = instance->plugin_;
  if (plugin == nullptr) {
    error = "module " + module.Name() + " made no plug-in";
    return nullptr;
  }
  if (plugin->init == nullptr || !plugin->init(plugin)) {
    error = "module " + module.Name() + ": the plug-in's init failed";
    if (plugin->destroy != nullptr) {
      plugin->destroy(plugin);
    }
    instance->plugin_ = nullptr;
    return nullptr;
  }
  instance->params_ = static_cast<const clap_plugin_params_t*>(instance->Extension(CLAP_EXT_PARAMS));
  instance->state_ = static_cast<const clap_plugin_state_t*>(instance->Extension(CLAP_EXT_STATE));
  instance->gui_ = static_cast<const clap_plugin_gui_t*>(instance->Extension(CLAP_EXT_GUI));
  return instance;
}

ClapInstance::~ClapInstance() {
  if (plugin_ == nullptr) {
    return;
  }
  Stop();
  plugin_->destroy(plugin_);
}

const void* ClapInstance::Extension(const char* id) const {
  return plugin_->get_extension != nullptr ? plugin_->get_extension(plugin_, id) : nullptr;
}

bool ClapInstance::Start(double sampleRate, int32_t maxBlock) {
  if (!active_) {
    if (!plugin_->activate(plugin_, sampleRate, 1, static_cast<uint32_t>(std::max(maxBlock, 1)))) {
      return false;
    }
    active_ = true;
  }
  if (!processing_) {
    ClapHost::AudioCall audio;
    if (!plugin_->start_processing(plugin_)) {
      return false;
    }
    processing_ = true;
  }
  return true;
}

void ClapInstance::Stop() {
  if (processing_) {
    ClapHost::AudioCall audio;
    plugin_->stop_processing(plugin_);
    processing_ = false;
  }
  if (active_) {
    plugin_->deactivate(plugin_);
    active_ = false;
  }
}

clap_process_status ClapInstance::Process(float** inputs, float** outputs, int32_t frames,
                                          const ClapEventList* events, const clap_event_transport_t* transport) {
  ClapHost::AudioCall audio;
  if (!active_ || !processing_) {
    host_.Violation("process called while not active and processing");
  }
  inputBuffer_.data32 = inputs;
  inputBuffer_.channel_count = 2;
  outputBuffer_.data32 = outputs;
  outputBuffer_.channel_count = 2;
  process_.steady_time = -1;
  process_.frames_count = static_cast<uint32_t>(std::max(frames, 0));
  process_.transport = transport;
  process_.audio_inputs = inputs != nullptr ? &inputBuffer_ : nullptr;
  process_.audio_outputs = outputs != nullptr ? &outputBuffer_ : nullptr;
  process_.audio_inputs_count = inputs != nullptr ? 1 : 0;
  process_.audio_outputs_count = outputs != nullptr ? 1 : 0;
  process_.in_events = (events != nullptr ? events : &noEvents_)->Input();
  process_.out_events = outputEvents_.Output();
  return plugin_->process(plugin_, &process_);
}

void ClapInstance::Reset() {
  ClapHost::AudioCall audio;
  plugin_->reset(plugin_);
}

void ClapInstance::Flush(const ClapEventList* events) {
  if (params_ == nullptr) {
    return;
  }
  const clap_input_events_t* in = (events != nullptr ? events : &noEvents_)->Input();
  if (active_) {
    ClapHost::AudioCall audio;
    params_->flush(plugin_, in, outputEvents_.Output());
  } else {
    params_->flush(plugin_, in, outputEvents_.Output());
  }
}

void ClapInstance::RunMainThreadCallback() {
  if (host_.TakeCallbackRequest()) {
    plugin_->on_main_thread(plugin_);
  }
}

void ClapInstance::FireTimersAndDescriptors() {
  const auto* timers = static_cast<const clap_plugin_timer_support_t*>(Extension(CLAP_EXT_TIMER_SUPPORT));
  const auto* fds = static_cast<const clap_plugin_posix_fd_support_t*>(Extension(CLAP_EXT_POSIX_FD_SUPPORT));
  const std::vector<clap_id> timerIds = host_.Timers();
  if (timers != nullptr) {
    for (const clap_id id : timerIds) {
      timers->on_timer(plugin_, id);
    }
  }
  const std::vector<int> descriptors = host_.Descriptors();
  if (fds != nullptr) {
    for (const int fd : descriptors) {
      fds->on_fd(plugin_, fd, CLAP_POSIX_FD_READ);
    }
  }
}

double ClapInstance::ParameterValue(clap_id id) const {
  double value = std::numeric_limits<double>::quiet_NaN();
  if (params_ == nullptr || !params_->get_value(plugin_, id, &value)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  return value;
}

double ClapInstance::PlainValue(clap_id id, double value) const {
  const uint32_t count = params_ != nullptr ? params_->count(plugin_) : 0;
  for (uint32_t index = 0; index < count; ++index) {
    clap_param_info_t info{};
    if (!params_->get_info(plugin_, index, &info) || info.id != id) {
      continue;
    }
    if ((info.flags & CLAP_PARAM_IS_STEPPED) == 0) {
      return info.min_value + value * (info.max_value - info.min_value);
    }
    // In single precision, as a VST2 plug-in picks its choice from the value.
    const double steps = std::floor(info.max_value - info.min_value) + 1.0;
    const float scaled = static_cast<float>(value) * static_cast<float>(steps);
    if (!(scaled >= 1.0f)) {
      return info.min_value;
    }
    return info.min_value + (scaled >= static_cast<float>(steps) ? steps - 1.0 : std::floor(scaled));
  }
  return value;
}

std::vector<uint8_t> ClapInstance::GetState(uint32_t piece) {
  std::vector<uint8_t> bytes;
  StreamContext context{&bytes, 0, std::max(piece, 1u)};
  const clap_ostream_t stream{&context, &WriteStream};
  if (state_ == nullptr || !state_->save(plugin_, &stream)) {
    return {};
  }
  return bytes;
}

bool ClapInstance::SetState(const std::vector<uint8_t>& bytes, uint32_t piece) {
  std::vector<uint8_t> copy = bytes;
  StreamContext context{&copy, 0, std::max(piece, 1u)};
  const clap_istream_t stream{&context, &ReadStream};
  return state_ != nullptr && state_->load(plugin_, &stream);
}

}  // namespace QuorvelHost
