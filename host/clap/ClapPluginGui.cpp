// The editor, embedded in the host's window. Main thread, every call.
#include <cstring>

#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

const clap_plugin_gui_t ClapPlugin::kGui = {
    &ClapPlugin::GuiIsApiSupported, &ClapPlugin::GuiGetPreferredApi, &ClapPlugin::GuiCreate,
    &ClapPlugin::GuiDestroy,        &ClapPlugin::GuiSetScale,        &ClapPlugin::GuiGetSize,
    &ClapPlugin::GuiCanResize,      &ClapPlugin::GuiGetResizeHints,  &ClapPlugin::GuiAdjustSize,
    &ClapPlugin::GuiSetSize,        &ClapPlugin::GuiSetParent,       &ClapPlugin::GuiSetTransient,
    &ClapPlugin::GuiSuggestTitle,   &ClapPlugin::GuiShow,            &ClapPlugin::GuiHide,
};
const clap_plugin_timer_support_t ClapPlugin::kTimerSupport = {&ClapPlugin::OnTimer};
const clap_plugin_posix_fd_support_t ClapPlugin::kPosixFdSupport = {&ClapPlugin::OnFd};

// Embedded only: the host's window holds the editor.
bool ClapPlugin::GuiIsApiSupported(const clap_plugin_t* plugin, const char* api, bool isFloating) {
  const ClapPlugin* self = From(plugin);
  return self != nullptr && self->core.HasEditor() && api != nullptr && !isFloating &&
         std::strcmp(api, WindowApi()) == 0;
}

bool ClapPlugin::GuiGetPreferredApi(const clap_plugin_t* plugin, const char** api, bool* isFloating) {
  if (From(plugin) == nullptr || api == nullptr || isFloating == nullptr) {
    return false;
  }
  *api = WindowApi();
  *isFloating = false;
  return true;
}

bool ClapPlugin::GuiCreate(const clap_plugin_t* plugin, const char* api, bool isFloating) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || self->guiCreated || !GuiIsApiSupported(plugin, api, isFloating)) {
    return false;
  }
  self->guiCreated = true;
  return true;
}

void ClapPlugin::GuiDestroy(const clap_plugin_t* plugin) {
  if (ClapPlugin* self = From(plugin)) {
    self->CloseGui();
  }
}

void ClapPlugin::CloseGui() {
  if (core.IsEditorOpen()) {
    StopIdle();
    core.CloseEditor();
  }
  guiCreated = false;
}

// The host's factor goes to the core; an open editor is made again at it and asks the
// host for its new size.
bool ClapPlugin::GuiSetScale(const clap_plugin_t* plugin, double scale) {
  ClapPlugin* self = From(plugin);
  return self != nullptr && self->core.SetHostScaleFactor(static_cast<float>(scale));
}

bool ClapPlugin::GuiGetSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || !self->guiCreated || width == nullptr || height == nullptr) {
    return false;
  }
  const EditorSize size = self->core.GetEditorSize();
  *width = static_cast<uint32_t>(size.width);
  *height = static_cast<uint32_t>(size.height);
  return true;
}

// One size per scale factor, whatever the host's window does.
bool ClapPlugin::GuiCanResize(const clap_plugin_t*) {
  return false;
}

bool ClapPlugin::GuiGetResizeHints(const clap_plugin_t*, clap_gui_resize_hints_t*) {
  return false;
}

bool ClapPlugin::GuiAdjustSize(const clap_plugin_t*, uint32_t*, uint32_t*) {
  return false;
}

bool ClapPlugin::GuiSetSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height) {
  uint32_t own[2] = {};
  return GuiGetSize(plugin, &own[0], &own[1]) && own[0] == width && own[1] == height;
}

bool ClapPlugin::GuiSetParent(const clap_plugin_t* plugin, const clap_window_t* window) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || !self->guiCreated || self->core.IsEditorOpen() || window == nullptr ||
      window->api == nullptr || std::strcmp(window->api, WindowApi()) != 0) {
    return false;
  }
  const NativeWindow parent{std::strcmp(WindowApi(), CLAP_WINDOW_API_X11) == 0
                                ? static_cast<uintptr_t>(window->x11)
                                : reinterpret_cast<uintptr_t>(window->ptr)};
  if (parent.IsNull() || !self->core.OpenEditor(parent)) {
    return false;
  }
  self->StartIdle();
  return true;
}

bool ClapPlugin::GuiSetTransient(const clap_plugin_t*, const clap_window_t*) {
  return false;
}

void ClapPlugin::GuiSuggestTitle(const clap_plugin_t*, const char*) {}

// The editor shows in the host's window from set_parent on; the host shows and hides that.
bool ClapPlugin::GuiShow(const clap_plugin_t* plugin) {
  const ClapPlugin* self = From(plugin);
  return self != nullptr && self->guiCreated;
}

bool ClapPlugin::GuiHide(const clap_plugin_t* plugin) {
  const ClapPlugin* self = From(plugin);
  return self != nullptr && self->guiCreated;
}

// Main thread: the editor's idle work, on the host's timer and on its connection's events.
void ClapPlugin::OnTimer(const clap_plugin_t* plugin, clap_id timerId) {
  ClapPlugin* self = From(plugin);
  if (self != nullptr && timerId == self->idleTimer) {
    self->core.IdleEditor();
  }
}

void ClapPlugin::OnFd(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t) {
  ClapPlugin* self = From(plugin);
  if (self != nullptr && fd == self->idleDescriptor && fd >= 0) {
    self->core.IdleEditor();
  }
}

}  // namespace VstToolkit
