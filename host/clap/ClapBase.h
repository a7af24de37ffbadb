#pragma once

// The CLAP interface's core records, declared here under their published names and
// numbers (CLAP 1.2): versions, the module entry, the plug-in factory, the plug-in and
// host records, streams. Plain C records of function pointers with the platform's C
// calling convention; the static_asserts hold their 64-bit layouts.

#include <cstddef>
#include <cstdint>

extern "C" {

typedef uint32_t clap_id;
static constexpr clap_id CLAP_INVALID_ID = UINT32_MAX;

enum {
  CLAP_NAME_SIZE = 256,
  CLAP_PATH_SIZE = 1024,
};

typedef struct clap_version {
  uint32_t major;
  uint32_t minor;
  uint32_t revision;
} clap_version_t;

static constexpr uint32_t CLAP_VERSION_MAJOR = 1;
static constexpr uint32_t CLAP_VERSION_MINOR = 2;
static constexpr uint32_t CLAP_VERSION_REVISION = 10;
static constexpr clap_version_t CLAP_VERSION = {CLAP_VERSION_MAJOR, CLAP_VERSION_MINOR, CLAP_VERSION_REVISION};

typedef struct clap_plugin_entry {
  clap_version_t clap_version;
  bool (*init)(const char* plugin_path);
  void (*deinit)(void);
  const void* (*get_factory)(const char* factory_id);
} clap_plugin_entry_t;

typedef struct clap_plugin_descriptor {
  clap_version_t clap_version;
  const char* id;
  const char* name;
  const char* vendor;
  const char* url;
  const char* manual_url;
  const char* support_url;
  const char* version;
  const char* description;
  const char* const* features;
} clap_plugin_descriptor_t;

struct clap_process;

typedef int32_t clap_process_status;
enum {
  CLAP_PROCESS_ERROR = 0,
  CLAP_PROCESS_CONTINUE = 1,
  CLAP_PROCESS_CONTINUE_IF_NOT_QUIET = 2,
  CLAP_PROCESS_TAIL = 3,
  CLAP_PROCESS_SLEEP = 4,
};

typedef struct clap_plugin {
  const clap_plugin_descriptor_t* desc;
  void* plugin_data;
  bool (*init)(const struct clap_plugin* plugin);
  void (*destroy)(const struct clap_plugin* plugin);
  bool (*activate)(const struct clap_plugin* plugin, double sample_rate, uint32_t min_frames_count,
                   uint32_t max_frames_count);
  void (*deactivate)(const struct clap_plugin* plugin);
  bool (*start_processing)(const struct clap_plugin* plugin);
  void (*stop_processing)(const struct clap_plugin* plugin);
  void (*reset)(const struct clap_plugin* plugin);
  clap_process_status (*process)(const struct clap_plugin* plugin, const struct clap_process* process);
  const void* (*get_extension)(const struct clap_plugin* plugin, const char* id);
  void (*on_main_thread)(const struct clap_plugin* plugin);
} clap_plugin_t;

typedef struct clap_host {
  clap_version_t clap_version;
  void* host_data;
  const char* name;
  const char* vendor;
  const char* url;
  const char* version;
  const void* (*get_extension)(const struct clap_host* host, const char* extension_id);
  void (*request_restart)(const struct clap_host* host);
  void (*request_process)(const struct clap_host* host);
  void (*request_callback)(const struct clap_host* host);
} clap_host_t;

static constexpr char CLAP_PLUGIN_FACTORY_ID[] = "clap.plugin-factory";

typedef struct clap_plugin_factory {
  uint32_t (*get_plugin_count)(const struct clap_plugin_factory* factory);
  const clap_plugin_descriptor_t* (*get_plugin_descriptor)(const struct clap_plugin_factory* factory, uint32_t index);
  const clap_plugin_t* (*create_plugin)(const struct clap_plugin_factory* factory, const clap_host_t* host,
                                        const char* plugin_id);
} clap_plugin_factory_t;

typedef struct clap_istream {
  void* ctx;
  int64_t (*read)(const struct clap_istream* stream, void* buffer, uint64_t size);
} clap_istream_t;

typedef struct clap_ostream {
  void* ctx;
  int64_t (*write)(const struct clap_ostream* stream, const void* buffer, uint64_t size);
} clap_ostream_t;

}  // extern "C"

static_assert(sizeof(void*) == 8, "the CLAP records below are checked for 64-bit platforms");
static_assert(sizeof(clap_version_t) == 12);
static_assert(sizeof(clap_plugin_entry_t) == 40 && offsetof(clap_plugin_entry_t, init) == 16 &&
              offsetof(clap_plugin_entry_t, get_factory) == 32);
static_assert(sizeof(clap_plugin_descriptor_t) == 88 && offsetof(clap_plugin_descriptor_t, id) == 16 &&
              offsetof(clap_plugin_descriptor_t, features) == 80);
static_assert(sizeof(clap_plugin_t) == 96 && offsetof(clap_plugin_t, init) == 16 &&
              offsetof(clap_plugin_t, process) == 72 && offsetof(clap_plugin_t, on_main_thread) == 88);
static_assert(sizeof(clap_host_t) == 88 && offsetof(clap_host_t, host_data) == 16 &&
              offsetof(clap_host_t, get_extension) == 56 && offsetof(clap_host_t, request_callback) == 80);
static_assert(sizeof(clap_plugin_factory_t) == 24);
static_assert(sizeof(clap_istream_t) == 16 && sizeof(clap_ostream_t) == 16);
