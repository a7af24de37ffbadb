#include "tools/quorvel-host/HostedClap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "delay/QuorvelDelayDescription.h"

namespace QuorvelHost {

namespace {

// Streams over the bytes saved or to load that move at most `piece` bytes per call; a
// plug-in's null buffer is an error of the stream, as hosts answer it.
struct StreamContext {
  std::vector<uint8_t> bytes;
  size_t position;
  uint32_t piece;
};

int64_t WriteStream(const clap_ostream_t* stream, const void* buffer, uint64_t size) {
  auto* context = static_cast<StreamContext*>(stream->ctx);
  if (buffer == nullptr && size > 0) {
    return -1;
  }
  const uint64_t taken = std::min<uint64_t>(size, context->piece);
  const auto* from = static_cast<const uint8_t*>(buffer);
  context->bytes.insert(context->bytes.end(), from, from + taken);
  return static_cast<int64_t>(taken);
}

int64_t ReadStream(const clap_istream_t* stream, void* buffer, uint64_t size) {
  auto* context = static_cast<StreamContext*>(stream->ctx);
  if (buffer == nullptr && size > 0) {
    return -1;
  }
  const uint64_t left = context->bytes.size() - context->position;
  const uint64_t given = std::min<uint64_t>({size, left, context->piece});
  if (given > 0) {
    std::memcpy(buffer, context->bytes.data() + context->position, given);
  }
  context->position += given;
  return static_cast<int64_t>(given);
}

HostedParameter Describe(const clap_plugin_t& plugin, const clap_plugin_params_t& params, const clap_param_info_t& info,
                         bool quorvelDelay) {
  HostedParameter parameter;
  parameter.id = info.id;
  parameter.name = std::string(info.name, strnlen(info.name, sizeof info.name));
  // Quorvel Delay's parameters answer to their VST2 short names too, so that one command
  // line sets the same parameters in every format.
  parameter.shortName = quorvelDelay && info.id < static_cast<clap_id>(kQuorvelDelayDescription.parameterCount)
                            ? kQuorvelDelayDescription.parameters[info.id].shortName
                            : parameter.name;
  parameter.min = std::isfinite(info.min_value) ? info.min_value : 0.0;
  parameter.max = std::isfinite(info.max_value) && info.max_value > parameter.min ? info.max_value : parameter.min;
  parameter.defaultValue = info.default_value;
  const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
  if ((info.flags & CLAP_PARAM_IS_BYPASS) != 0) {
    parameter.kind = HostedParameter::Kind::kBypass;
  } else if (stepped && (info.flags & CLAP_PARAM_IS_ENUM) == 0 && parameter.max - parameter.min == 1.0) {
    parameter.kind = HostedParameter::Kind::kSwitch;
  } else if (stepped) {
    parameter.kind = HostedParameter::Kind::kChoice;
    // Texts for a list a person reads; a longer one is counted by its range alone.
    const bool listed = parameter.max - parameter.min < 128.0 && params.value_to_text != nullptr;
    for (double value = parameter.min; listed && value <= parameter.max; value += 1.0) {
      char text[256] = {};
      params.value_to_text(&plugin, info.id, value, text, sizeof text - 1);
      parameter.choices.push_back(text);
    }
  }
  return parameter;
}

}  // namespace

std::unique_ptr<HostedClap> HostedClap::Open(const std::string& path, std::string& error) {
  // Each refusal names the module, then why.
  const auto refuse = [&error, &path](const char* why) {
    error = "module " + path + why;
    return nullptr;
  };
  std::unique_ptr<ModuleLibrary> library = ModuleLibrary::Open(path, error);
  if (library == nullptr) {
    return nullptr;
  }
  // clap_entry is a record, not a function: the symbol's address is the record's.
  const auto* entry = reinterpret_cast<const clap_plugin_entry_t*>(library->FindFunction("clap_entry"));
  if (entry == nullptr) {
    return refuse(" exports no clap_entry");
  }
  if (entry->clap_version.major < 1 || entry->init == nullptr || entry->deinit == nullptr ||
      entry->get_factory == nullptr) {
    return refuse(": clap_entry is incomplete or of an incompatible version");
  }
  if (!entry->init(path.c_str())) {
    return refuse(": clap_entry.init failed");
  }
  std::unique_ptr<HostedClap> clap(new HostedClap(path, std::move(library), *entry));
  const auto* factory = static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
  const bool offers = factory != nullptr && factory->get_plugin_count != nullptr &&
                      factory->get_plugin_descriptor != nullptr && factory->create_plugin != nullptr &&
                      factory->get_plugin_count(factory) > 0;
  clap->descriptor_ = offers ? factory->get_plugin_descriptor(factory, 0) : nullptr;
  if (clap->descriptor_ == nullptr || clap->descriptor_->id == nullptr || clap->descriptor_->name == nullptr) {
    return refuse(" offers no plug-in factory with a plug-in");
  }
  clap->plugin_ = factory->create_plugin(factory, clap->host_.Record(), clap->descriptor_->id);
  const clap_plugin_t* plugin = clap->plugin_;
  if (plugin == nullptr) {
    return refuse(" made no plug-in");
  }
  // Every function of the plug-in's record is one a host may call; a record missing one
  // is refused here rather than followed into a null call later.
  const bool complete = plugin->init != nullptr && plugin->destroy != nullptr && plugin->activate != nullptr &&
                        plugin->deactivate != nullptr && plugin->start_processing != nullptr &&
                        plugin->stop_processing != nullptr && plugin->reset != nullptr &&
                        plugin->process != nullptr && plugin->get_extension != nullptr &&
                        plugin->on_main_thread != nullptr;
  if (!complete || !plugin->init(plugin)) {
    if (plugin->destroy != nullptr) {
      plugin->destroy(plugin);
    }
    clap->plugin_ = nullptr;
    return refuse(complete ? ": the plug-in's init failed" : ": the plug-in lacks functions");
  }
  clap->params_ = static_cast<const clap_plugin_params_t*>(clap->Extension(CLAP_EXT_PARAMS));
  clap->state_ = static_cast<const clap_plugin_state_t*>(clap->Extension(CLAP_EXT_STATE));
  clap->gui_ = static_cast<const clap_plugin_gui_t*>(clap->Extension(CLAP_EXT_GUI));
  const bool quorvelDelay = std::strcmp(clap->descriptor_->id, "com.quorvel.delay") == 0;
  const uint32_t count = clap->params_ != nullptr ? clap->params_->count(plugin) : 0;
  for (uint32_t index = 0; index < count; ++index) {
    clap_param_info_t info{};
    if (clap->params_->get_info(plugin, index, &info)) {
      clap->parameters_.push_back(Describe(*plugin, *clap->params_, info, quorvelDelay));
    }
  }
  return clap;
}

HostedClap::~HostedClap() {
  if (plugin_ != nullptr) {
    CloseEditor();
    Deactivate();
    plugin_->destroy(plugin_);
  }
  entry_->deinit();
}

bool HostedClap::Activate(double sampleRate, int32_t maxBlock, std::string& error) {
  sampleRate_ = sampleRate;
  if (!active_) {
    if (!plugin_->activate(plugin_, sampleRate, 1, static_cast<uint32_t>(std::max(maxBlock, 1)))) {
      error = "the plug-in refused to activate at " + std::to_string(sampleRate) + " Hz";
      return false;
    }
    active_ = true;
  }
  if (!processing_) {
    ClapHost::AudioCall audio;
    if (!plugin_->start_processing(plugin_)) {
      error = "the plug-in refused to start processing at " + std::to_string(sampleRate) + " Hz";
      return false;
    }
    processing_ = true;
  }
  return true;
}

void HostedClap::Deactivate() {
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

void HostedClap::SetValue(size_t index, double plain) {
  if (index < parameters_.size()) {
    flushed_.Clear();
    flushed_.AddParameter(0, parameters_[index].id, plain);
    Flush(&flushed_);
  }
}

bool HostedClap::SelectProgram(int32_t, std::string& error) {
  error = "a CLAP plug-in has no programs: give its state as a chunk file instead";
  return false;
}

void HostedClap::QueueValue(size_t index, double plain, int32_t offset) {
  if (index < parameters_.size()) {
    events_.AddParameter(static_cast<uint32_t>(offset), parameters_[index].id, plain);
  }
}

void HostedClap::QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) {
  events_.AddMidi(static_cast<uint32_t>(offset), status, data1, data2);
}

void HostedClap::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                         int64_t songFrame) {
  clap_event_transport_t record{};
  record.header = {sizeof record, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_TRANSPORT, 0};
  record.flags = CLAP_TRANSPORT_HAS_TEMPO | CLAP_TRANSPORT_HAS_BEATS_TIMELINE | CLAP_TRANSPORT_HAS_TIME_SIGNATURE |
                 (transport.playing ? uint32_t{CLAP_TRANSPORT_IS_PLAYING} : 0u);
  const double beats = transport.QuarterNotesAt(songFrame, sampleRate_);
  record.song_pos_beats = std::llround(beats * static_cast<double>(CLAP_BEATTIME_FACTOR));
  record.tempo = transport.tempo;
  record.tsig_num = static_cast<uint16_t>(transport.numerator);
  record.tsig_denom = static_cast<uint16_t>(transport.denominator);
  Process(inputs, outputs, frames, &events_, &record);
  events_.Clear();
  outputEvents_.Clear();
}

bool HostedClap::OpenEditor(void* parent, double scale, std::string& error) {
  const char* api = nullptr;
  bool floating = true;
  if (gui_ == nullptr || !gui_->get_preferred_api(plugin_, &api, &floating) || api == nullptr) {
    error = "the plug-in offers no embedded editor";
    return false;
  }
  clap_window_t window{};
  window.api = api;
  if (std::strcmp(api, CLAP_WINDOW_API_X11) == 0) {
    window.x11 = static_cast<clap_xwnd>(reinterpret_cast<uintptr_t>(parent));
  } else {
    window.ptr = parent;
  }
  guiMade_ = gui_->create(plugin_, api, false);
  if (guiMade_) {
    gui_->set_scale(plugin_, scale);  // refused by a plug-in that follows the system's scale itself
  }
  uint32_t width = 0;
  uint32_t height = 0;
  if (!guiMade_ || !gui_->get_size(plugin_, &width, &height) || !gui_->set_parent(plugin_, &window) ||
      !gui_->show(plugin_)) {
    error = "the editor does not show in the host's window";
    CloseEditor();
    return false;
  }
  return true;
}

void HostedClap::CloseEditor() {
  if (guiMade_) {
    gui_->hide(plugin_);
    gui_->destroy(plugin_);
    guiMade_ = false;
  }
}

clap_process_status HostedClap::Process(float** inputs, float** outputs, int32_t frames, const ClapEventList* events,
                                        const clap_event_transport_t* transport) {
  ClapHost::AudioCall audio;
  if (!active_ || !processing_) {
    host_.Violation("process called while not active and processing");
  }
  clap_audio_buffer_t in{inputs, nullptr, 2, 0, 0};
  clap_audio_buffer_t out{outputs, nullptr, 2, 0, 0};
  const clap_process_t process{-1,
                               static_cast<uint32_t>(std::max(frames, 0)),
                               transport,
                               inputs != nullptr ? &in : nullptr,
                               outputs != nullptr ? &out : nullptr,
                               inputs != nullptr ? 1u : 0u,
                               outputs != nullptr ? 1u : 0u,
                               (events != nullptr ? events : &noEvents_)->Input(),
                               outputEvents_.Output()};
  return plugin_->process(plugin_, &process);
}

void HostedClap::Flush(const ClapEventList* events) {
  if (params_ == nullptr) {
    return;
  }
  const ClapHost::AudioCall audio(active_);
  params_->flush(plugin_, (events != nullptr ? events : &noEvents_)->Input(), outputEvents_.Output());
}

void HostedClap::IdleEditor() {
  if (host_.TakeCallbackRequest()) {
    plugin_->on_main_thread(plugin_);
  }
  const auto* timers = static_cast<const clap_plugin_timer_support_t*>(Extension(CLAP_EXT_TIMER_SUPPORT));
  const auto* fds = static_cast<const clap_plugin_posix_fd_support_t*>(Extension(CLAP_EXT_POSIX_FD_SUPPORT));
  // Copies, as the plug-in may unregister while it is called.
  const std::vector<clap_id> timerIds = timers != nullptr ? host_.Timers() : std::vector<clap_id>{};
  for (const clap_id id : timerIds) {
    timers->on_timer(plugin_, id);
  }
  const std::vector<int> descriptors = fds != nullptr ? host_.Descriptors() : std::vector<int>{};
  for (const int fd : descriptors) {
    fds->on_fd(plugin_, fd, CLAP_POSIX_FD_READ);
  }
}

double HostedClap::ParameterValue(clap_id id) const {
  double value = 0.0;
  return params_ != nullptr && params_->get_value(plugin_, id, &value) ? value
                                                                       : std::numeric_limits<double>::quiet_NaN();
}

std::vector<uint8_t> HostedClap::GetState(bool) {
  StreamContext context{{}, 0, statePiece_};
  const clap_ostream_t stream{&context, &WriteStream};
  return state_ != nullptr && state_->save(plugin_, &stream) ? context.bytes : std::vector<uint8_t>{};
}

bool HostedClap::SetState(const std::vector<uint8_t>& bytes, bool) {
  StreamContext context{bytes, 0, statePiece_};
  const clap_istream_t stream{&context, &ReadStream};
  return state_ != nullptr && state_->load(plugin_, &stream);
}

}  // namespace QuorvelHost
