#include "tools/quorvel-host/Lv2UiHost.h"

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstring>
#include <utility>

#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

std::unique_ptr<Lv2UiHost> Lv2UiHost::Open(HostedLv2& instance, std::string& error) {
  const Lv2World::Node x11 = instance.World().Uri(LV2_UI__X11UI);
  LilvUIs* uis = lilv_plugin_get_uis(instance.Plugin());
  std::unique_ptr<Lv2UiHost> host(new Lv2UiHost(instance));
  std::string uri;
  LILV_FOREACH (uis, i, uis) {
    const LilvUI* ui = lilv_uis_get(uis, i);
    if (!lilv_ui_is_a(ui, x11.get())) {
      continue;
    }
    char* binary = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
    char* bundle = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
    uri = lilv_node_as_uri(lilv_ui_get_uri(ui));
    host->bundlePath_ = bundle != nullptr ? bundle : "";
    host->library_ = binary != nullptr ? ModuleLibrary::Open(binary, error) : nullptr;
    lilv_free(binary);
    lilv_free(bundle);
    break;
  }
  lilv_uis_free(uis);
  if (host->library_ == nullptr) {
    error = error.empty() ? "the plug-in has no X11 UI" : error;
    return nullptr;
  }
  using Entry = const LV2UI_Descriptor* (*)(uint32_t);
  auto entry = reinterpret_cast<Entry>(host->library_->FindFunction("lv2ui_descriptor"));
  for (uint32_t index = 0; entry != nullptr && entry(index) != nullptr; ++index) {
    if (entry(index)->URI != nullptr && uri == entry(index)->URI) {
      host->descriptor_ = entry(index);
      break;
    }
  }
  if (host->descriptor_ == nullptr) {
    error = "the UI's shared object has no descriptor for " + uri;
    return nullptr;
  }
  if (host->descriptor_->instantiate == nullptr || host->descriptor_->cleanup == nullptr) {
    error = "the UI's descriptor for " + uri + " lacks instantiate or cleanup";
    return nullptr;
  }
  return host;
}

Lv2UiHost::~Lv2UiHost() {
  Hide();
}

bool Lv2UiHost::Show(uintptr_t parent, float scale, bool offerResize) {
  if (handle_ != nullptr) {
    return false;
  }
  Lv2World& world = instance_.World();
  scale_ = scale;
  options_[0] = {LV2_OPTIONS_INSTANCE,       0,      world.Map(LV2_UI__scaleFactor), sizeof(float),
                 world.Map(LV2_ATOM__Float), &scale_};
  touch_ = {this, [](LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
              static_cast<Lv2UiHost*>(handle)->Record('t', port, grabbed ? 1.0f : 0.0f);
            }};
  resize_ = {this, [](LV2UI_Feature_Handle handle, int width, int height) {
               static_cast<Lv2UiHost*>(handle)->Record('r', static_cast<uint32_t>(width), static_cast<float>(height));
               return 0;
             }};
  // What the world gives every instance, then what the UI is offered, where it is.
  const std::pair<bool, LV2_Feature> offered[] = {{true, {LV2_UI__parent, reinterpret_cast<void*>(parent)}},
                                                  {true, {LV2_UI__touch, &touch_}},
                                                  {true, {LV2_UI__idleInterface, nullptr}},
                                                  {offerResize, {LV2_UI__resize, &resize_}},
                                                  {scale > 0.0f, {LV2_OPTIONS__options, options_}}};
  std::vector<const LV2_Feature*> features = {world.Features()[0], world.Features()[1]};
  for (const auto& [given, feature] : offered) {
    if (given) {
      features.push_back(&feature);
    }
  }
  features.push_back(nullptr);
  handle_ = descriptor_->instantiate(descriptor_, lilv_node_as_uri(lilv_plugin_get_uri(instance_.Plugin())),
                                     bundlePath_.c_str(), Write, this, &widget_, features.data());
  if (handle_ == nullptr) {
    return false;
  }
  idle_ = descriptor_->extension_data != nullptr
              ? static_cast<const LV2UI_Idle_Interface*>(descriptor_->extension_data(LV2_UI__idleInterface))
              : nullptr;
  return true;
}

int Lv2UiHost::Idle() {
  return handle_ != nullptr && idle_ != nullptr ? idle_->idle(handle_) : 1;
}

void Lv2UiHost::PortEvent(uint32_t port, float value) {
  if (handle_ != nullptr && descriptor_->port_event != nullptr) {
    descriptor_->port_event(handle_, port, sizeof value, 0, &value);
  }
}

void Lv2UiHost::DeliverNotifications() {
  if (handle_ == nullptr || descriptor_->port_event == nullptr) {
    return;
  }
  const uint32_t transfer = instance_.World().Map(LV2_ATOM__eventTransfer);
  for (const std::vector<uint8_t>& atom : instance_.Notifications()) {
    descriptor_->port_event(handle_, instance_.NotifyPort(), static_cast<uint32_t>(atom.size()), transfer, atom.data());
  }
}

void Lv2UiHost::Hide() {
  if (handle_ != nullptr) {
    descriptor_->cleanup(handle_);
    handle_ = nullptr;
    widget_ = nullptr;
  }
}

void Lv2UiHost::Write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
  auto* host = static_cast<Lv2UiHost*>(controller);
  float value = 0.0f;
  if (format == 0 && size == sizeof value && buffer != nullptr) {
    std::memcpy(&value, buffer, sizeof value);
    host->Record('w', port, value);
  } else if (format == host->instance_.World().Map(LV2_ATOM__eventTransfer) && size >= sizeof(LV2_Atom) &&
             buffer != nullptr) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    host->Record('a', port, 0.0f, {bytes, bytes + size});
  }
}

void Lv2UiHost::Record(char kind, uint32_t port, float value, std::vector<uint8_t> atom) {
  messages_.push_back({kind, port, value, std::this_thread::get_id(), std::move(atom)});
}

// The adapter's editor is the plug-in's UI as this host shows it.
bool HostedLv2::OpenEditor(void* parent, double scale, std::string& error) {
  ui_ = Lv2UiHost::Open(*this, error);
  if (ui_ != nullptr && !ui_->Show(reinterpret_cast<uintptr_t>(parent), static_cast<float>(scale))) {
    error = "the UI refuses to show";
    ui_.reset();
  }
  return ui_ != nullptr;
}

void HostedLv2::IdleEditor() {
  if (ui_ != nullptr) {
    ui_->DeliverNotifications();
    ui_->Idle();
  }
}

void HostedLv2::CloseEditor() {
  ui_.reset();
}

}  // namespace QuorvelHost
