#pragma once

// The CLAP editor extension's records, under their published names and numbers (CLAP 1.2).

#include <cstddef>
#include <cstdint>

#include "host/clap/ClapBase.h"

extern "C" {

static constexpr char CLAP_EXT_GUI[] = "clap.gui";
static constexpr char CLAP_WINDOW_API_WIN32[] = "win32";
static constexpr char CLAP_WINDOW_API_X11[] = "x11";

typedef void* clap_hwnd;
typedef unsigned long clap_xwnd;

typedef struct clap_window {
  const char* api;
  union {
    void* cocoa;
    void* uikit;
    clap_xwnd x11;
    clap_hwnd win32;
    void* ptr;
  };
} clap_window_t;

typedef struct clap_gui_resize_hints {
  bool can_resize_horizontally;
  bool can_resize_vertically;
  bool preserve_aspect_ratio;
  uint32_t aspect_ratio_width;
  uint32_t aspect_ratio_height;
} clap_gui_resize_hints_t;

typedef struct clap_plugin_gui {
  bool (*is_api_supported)(const clap_plugin_t* plugin, const char* api, bool is_floating);
  bool (*get_preferred_api)(const clap_plugin_t* plugin, const char** api, bool* is_floating);
  bool (*create)(const clap_plugin_t* plugin, const char* api, bool is_floating);
  void (*destroy)(const clap_plugin_t* plugin);
  bool (*set_scale)(const clap_plugin_t* plugin, double scale);
  bool (*get_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  bool (*can_resize)(const clap_plugin_t* plugin);
  bool (*get_resize_hints)(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints);
  bool (*adjust_size)(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  bool (*set_size)(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
  bool (*set_parent)(const clap_plugin_t* plugin, const clap_window_t* window);
  bool (*set_transient)(const clap_plugin_t* plugin, const clap_window_t* window);
  void (*suggest_title)(const clap_plugin_t* plugin, const char* title);
  bool (*show)(const clap_plugin_t* plugin);
  bool (*hide)(const clap_plugin_t* plugin);
} clap_plugin_gui_t;

typedef struct clap_host_gui {
  void (*resize_hints_changed)(const clap_host_t* host);
  bool (*request_resize)(const clap_host_t* host, uint32_t width, uint32_t height);
  bool (*request_show)(const clap_host_t* host);
  bool (*request_hide)(const clap_host_t* host);
  void (*closed)(const clap_host_t* host, bool was_destroyed);
} clap_host_gui_t;

}  // extern "C"

static_assert(sizeof(clap_window_t) == 16 && offsetof(clap_window_t, x11) == 8);
static_assert(sizeof(clap_gui_resize_hints_t) == 12 && offsetof(clap_gui_resize_hints_t, aspect_ratio_width) == 4);
static_assert(sizeof(clap_plugin_gui_t) == 120 && offsetof(clap_plugin_gui_t, set_parent) == 80 &&
              offsetof(clap_plugin_gui_t, hide) == 112);
static_assert(sizeof(clap_host_gui_t) == 40);
