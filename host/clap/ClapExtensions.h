#pragma once

// The CLAP extensions this plug-in offers or uses, under their published names and numbers
// (CLAP 1.2): audio and note ports, parameters, state, latency, tail, timers, file
// descriptors and the host's thread check. The editor's records are in ClapGui.h.

#include <cstddef>
#include <cstdint>

#include "host/clap/ClapBase.h"
#include "host/clap/ClapEvents.h"

extern "C" {

static constexpr char CLAP_EXT_AUDIO_PORTS[] = "clap.audio-ports";
static constexpr char CLAP_PORT_STEREO[] = "stereo";
enum {
  CLAP_AUDIO_PORT_IS_MAIN = 1 << 0,
  CLAP_AUDIO_PORT_SUPPORTS_64BITS = 1 << 1,
  CLAP_AUDIO_PORT_PREFERS_64BITS = 1 << 2,
  CLAP_AUDIO_PORT_REQUIRES_COMMON_SAMPLE_SIZE = 1 << 3,
};
typedef struct clap_audio_port_info {
  clap_id id;
  char name[CLAP_NAME_SIZE];
  uint32_t flags;
  uint32_t channel_count;
  const char* port_type;
  clap_id in_place_pair;
} clap_audio_port_info_t;
typedef struct clap_plugin_audio_ports {
  uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
  bool (*get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_audio_port_info_t* info);
} clap_plugin_audio_ports_t;

static constexpr char CLAP_EXT_NOTE_PORTS[] = "clap.note-ports";
enum clap_note_dialect {
  CLAP_NOTE_DIALECT_CLAP = 1 << 0,
  CLAP_NOTE_DIALECT_MIDI = 1 << 1,
  CLAP_NOTE_DIALECT_MIDI_MPE = 1 << 2,
  CLAP_NOTE_DIALECT_MIDI2 = 1 << 3,
};
typedef struct clap_note_port_info {
  clap_id id;
  uint32_t supported_dialects;
  uint32_t preferred_dialect;
  char name[CLAP_NAME_SIZE];
} clap_note_port_info_t;
typedef struct clap_plugin_note_ports {
  uint32_t (*count)(const clap_plugin_t* plugin, bool is_input);
  bool (*get)(const clap_plugin_t* plugin, uint32_t index, bool is_input, clap_note_port_info_t* info);
} clap_plugin_note_ports_t;

static constexpr char CLAP_EXT_PARAMS[] = "clap.params";
enum {
  CLAP_PARAM_IS_STEPPED = 1 << 0,
  CLAP_PARAM_IS_PERIODIC = 1 << 1,
  CLAP_PARAM_IS_HIDDEN = 1 << 2,
  CLAP_PARAM_IS_READONLY = 1 << 3,
  CLAP_PARAM_IS_BYPASS = 1 << 4,
  CLAP_PARAM_IS_AUTOMATABLE = 1 << 5,
  CLAP_PARAM_REQUIRES_PROCESS = 1 << 15,
  CLAP_PARAM_IS_ENUM = 1 << 16,
};
typedef uint32_t clap_param_info_flags;
typedef struct clap_param_info {
  clap_id id;
  clap_param_info_flags flags;
  void* cookie;
  char name[CLAP_NAME_SIZE];
  char module[CLAP_PATH_SIZE];
  double min_value;
  double max_value;
  double default_value;
} clap_param_info_t;
typedef struct clap_plugin_params {
  uint32_t (*count)(const clap_plugin_t* plugin);
  bool (*get_info)(const clap_plugin_t* plugin, uint32_t param_index, clap_param_info_t* param_info);
  bool (*get_value)(const clap_plugin_t* plugin, clap_id param_id, double* out_value);
  bool (*value_to_text)(const clap_plugin_t* plugin, clap_id param_id, double value, char* out_buffer,
                        uint32_t out_buffer_capacity);
  bool (*text_to_value)(const clap_plugin_t* plugin, clap_id param_id, const char* param_value_text,
                        double* out_value);
  void (*flush)(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out);
} clap_plugin_params_t;
enum {
  CLAP_PARAM_RESCAN_VALUES = 1 << 0,
  CLAP_PARAM_RESCAN_TEXT = 1 << 1,
  CLAP_PARAM_RESCAN_INFO = 1 << 2,
  CLAP_PARAM_RESCAN_ALL = 1 << 3,
};
typedef uint32_t clap_param_rescan_flags;
typedef uint32_t clap_param_clear_flags;
typedef struct clap_host_params {
  void (*rescan)(const clap_host_t* host, clap_param_rescan_flags flags);
  void (*clear)(const clap_host_t* host, clap_id param_id, clap_param_clear_flags flags);
  void (*request_flush)(const clap_host_t* host);
} clap_host_params_t;

static constexpr char CLAP_EXT_STATE[] = "clap.state";
typedef struct clap_plugin_state {
  bool (*save)(const clap_plugin_t* plugin, const clap_ostream_t* stream);
  bool (*load)(const clap_plugin_t* plugin, const clap_istream_t* stream);
} clap_plugin_state_t;
typedef struct clap_host_state {
  void (*mark_dirty)(const clap_host_t* host);
} clap_host_state_t;

static constexpr char CLAP_EXT_LATENCY[] = "clap.latency";
typedef struct clap_plugin_latency {
  uint32_t (*get)(const clap_plugin_t* plugin);
} clap_plugin_latency_t;

static constexpr char CLAP_EXT_TAIL[] = "clap.tail";
typedef struct clap_plugin_tail {
  uint32_t (*get)(const clap_plugin_t* plugin);
} clap_plugin_tail_t;

static constexpr char CLAP_EXT_TIMER_SUPPORT[] = "clap.timer-support";
typedef struct clap_plugin_timer_support {
  void (*on_timer)(const clap_plugin_t* plugin, clap_id timer_id);
} clap_plugin_timer_support_t;
typedef struct clap_host_timer_support {
  bool (*register_timer)(const clap_host_t* host, uint32_t period_ms, clap_id* timer_id);
  bool (*unregister_timer)(const clap_host_t* host, clap_id timer_id);
} clap_host_timer_support_t;

static constexpr char CLAP_EXT_POSIX_FD_SUPPORT[] = "clap.posix-fd-support";
enum {
  CLAP_POSIX_FD_READ = 1 << 0,
  CLAP_POSIX_FD_WRITE = 1 << 1,
  CLAP_POSIX_FD_ERROR = 1 << 2,
};
typedef uint32_t clap_posix_fd_flags_t;
typedef struct clap_plugin_posix_fd_support {
  void (*on_fd)(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t flags);
} clap_plugin_posix_fd_support_t;
typedef struct clap_host_posix_fd_support {
  bool (*register_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
  bool (*modify_fd)(const clap_host_t* host, int fd, clap_posix_fd_flags_t flags);
  bool (*unregister_fd)(const clap_host_t* host, int fd);
} clap_host_posix_fd_support_t;

static constexpr char CLAP_EXT_THREAD_CHECK[] = "clap.thread-check";
typedef struct clap_host_thread_check {
  bool (*is_main_thread)(const clap_host_t* host);
  bool (*is_audio_thread)(const clap_host_t* host);
} clap_host_thread_check_t;

}  // extern "C"

static_assert(sizeof(clap_audio_port_info_t) == 288 && offsetof(clap_audio_port_info_t, flags) == 260 &&
              offsetof(clap_audio_port_info_t, port_type) == 272 && offsetof(clap_audio_port_info_t, in_place_pair) == 280);
static_assert(sizeof(clap_note_port_info_t) == 268 && offsetof(clap_note_port_info_t, name) == 12);
static_assert(sizeof(clap_param_info_t) == 1320 && offsetof(clap_param_info_t, cookie) == 8 &&
              offsetof(clap_param_info_t, name) == 16 && offsetof(clap_param_info_t, module) == 272 &&
              offsetof(clap_param_info_t, min_value) == 1296 && offsetof(clap_param_info_t, default_value) == 1312);
static_assert(sizeof(clap_plugin_params_t) == 48 && sizeof(clap_host_params_t) == 24);
static_assert(sizeof(clap_plugin_state_t) == 16 && sizeof(clap_host_state_t) == 8);
static_assert(sizeof(clap_host_timer_support_t) == 16 && sizeof(clap_host_posix_fd_support_t) == 24);
static_assert(sizeof(clap_host_thread_check_t) == 16);
