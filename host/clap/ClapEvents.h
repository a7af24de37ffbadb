#pragma once

// The CLAP interface's events, audio buffers and process record, under their published
// names and numbers (CLAP 1.2).

#include <cstddef>
#include <cstdint>

#include "host/clap/ClapBase.h"

extern "C" {

typedef struct clap_event_header {
  uint32_t size;
  uint32_t time;
  uint16_t space_id;
  uint16_t type;
  uint32_t flags;
} clap_event_header_t;

static constexpr uint16_t CLAP_CORE_EVENT_SPACE_ID = 0;

enum clap_event_flags {
  CLAP_EVENT_IS_LIVE = 1 << 0,
  CLAP_EVENT_DONT_RECORD = 1 << 1,
};

enum {
  CLAP_EVENT_NOTE_ON = 0,
  CLAP_EVENT_NOTE_OFF = 1,
  CLAP_EVENT_NOTE_CHOKE = 2,
  CLAP_EVENT_NOTE_END = 3,
  CLAP_EVENT_NOTE_EXPRESSION = 4,
  CLAP_EVENT_PARAM_VALUE = 5,
  CLAP_EVENT_PARAM_MOD = 6,
  CLAP_EVENT_PARAM_GESTURE_BEGIN = 7,
  CLAP_EVENT_PARAM_GESTURE_END = 8,
  CLAP_EVENT_TRANSPORT = 9,
  CLAP_EVENT_MIDI = 10,
  CLAP_EVENT_MIDI_SYSEX = 11,
  CLAP_EVENT_MIDI2 = 12,
};

typedef struct clap_event_param_value {
  clap_event_header_t header;
  clap_id param_id;
  void* cookie;
  int32_t note_id;
  int16_t port_index;
  int16_t channel;
  int16_t key;
  double value;
} clap_event_param_value_t;

typedef struct clap_event_param_gesture {
  clap_event_header_t header;
  clap_id param_id;
} clap_event_param_gesture_t;

typedef int64_t clap_beattime;
typedef int64_t clap_sectime;
static constexpr int64_t CLAP_BEATTIME_FACTOR = int64_t{1} << 31;
static constexpr int64_t CLAP_SECTIME_FACTOR = int64_t{1} << 31;

enum clap_transport_flags {
  CLAP_TRANSPORT_HAS_TEMPO = 1 << 0,
  CLAP_TRANSPORT_HAS_BEATS_TIMELINE = 1 << 1,
  CLAP_TRANSPORT_HAS_SECONDS_TIMELINE = 1 << 2,
  CLAP_TRANSPORT_HAS_TIME_SIGNATURE = 1 << 3,
  CLAP_TRANSPORT_IS_PLAYING = 1 << 4,
  CLAP_TRANSPORT_IS_RECORDING = 1 << 5,
  CLAP_TRANSPORT_IS_LOOP_ACTIVE = 1 << 6,
  CLAP_TRANSPORT_IS_WITHIN_PRE_ROLL = 1 << 7,
};

typedef struct clap_event_transport {
  clap_event_header_t header;
  uint32_t flags;
  clap_beattime song_pos_beats;
  clap_sectime song_pos_seconds;
  double tempo;
  double tempo_inc;
  clap_beattime loop_start_beats;
  clap_beattime loop_end_beats;
  clap_sectime loop_start_seconds;
  clap_sectime loop_end_seconds;
  clap_beattime bar_start;
  int32_t bar_number;
  uint16_t tsig_num;
  uint16_t tsig_denom;
} clap_event_transport_t;

typedef struct clap_event_midi {
  clap_event_header_t header;
  uint16_t port_index;
  uint8_t data[3];
} clap_event_midi_t;

typedef struct clap_input_events {
  void* ctx;
  uint32_t (*size)(const struct clap_input_events* list);
  const clap_event_header_t* (*get)(const struct clap_input_events* list, uint32_t index);
} clap_input_events_t;

typedef struct clap_output_events {
  void* ctx;
  bool (*try_push)(const struct clap_output_events* list, const clap_event_header_t* event);
} clap_output_events_t;

typedef struct clap_audio_buffer {
  float** data32;
  double** data64;
  uint32_t channel_count;
  uint32_t latency;
  uint64_t constant_mask;
} clap_audio_buffer_t;

typedef struct clap_process {
  int64_t steady_time;
  uint32_t frames_count;
  const clap_event_transport_t* transport;
  const clap_audio_buffer_t* audio_inputs;
  clap_audio_buffer_t* audio_outputs;
  uint32_t audio_inputs_count;
  uint32_t audio_outputs_count;
  const clap_input_events_t* in_events;
  const clap_output_events_t* out_events;
} clap_process_t;

}  // extern "C"

static_assert(sizeof(clap_event_header_t) == 16 && offsetof(clap_event_header_t, type) == 10);
static_assert(sizeof(clap_event_param_value_t) == 56 && offsetof(clap_event_param_value_t, cookie) == 24 &&
              offsetof(clap_event_param_value_t, note_id) == 32 && offsetof(clap_event_param_value_t, value) == 48);
static_assert(sizeof(clap_event_param_gesture_t) == 20);
static_assert(sizeof(clap_event_transport_t) == 104 && offsetof(clap_event_transport_t, song_pos_beats) == 24 &&
              offsetof(clap_event_transport_t, tempo) == 40 && offsetof(clap_event_transport_t, bar_number) == 96 &&
              offsetof(clap_event_transport_t, tsig_num) == 100);
static_assert(sizeof(clap_event_midi_t) == 24 && offsetof(clap_event_midi_t, data) == 18);
static_assert(sizeof(clap_input_events_t) == 24 && sizeof(clap_output_events_t) == 16);
static_assert(sizeof(clap_audio_buffer_t) == 32 && offsetof(clap_audio_buffer_t, constant_mask) == 24);
static_assert(sizeof(clap_process_t) == 64 && offsetof(clap_process_t, transport) == 16 &&
              offsetof(clap_process_t, audio_inputs_count) == 40 && offsetof(clap_process_t, in_events) == 48);
