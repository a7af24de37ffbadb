#include "tools/quorvel-host/Vst3Module.h"

#include <cstring>
#include <filesystem>

namespace QuorvelHost {

namespace {

// The module file of a bundle, for whichever platform's module the bundle holds: hosts
// look only for their own, and a module of the other platform fails to load anyway.
std::string BundleModule(const std::filesystem::path& bundle) {
  const std::string stem = bundle.stem().string();
  const std::filesystem::path linuxModule = bundle / "Contents" / "x86_64-linux" / (stem + ".so");
  const std::filesystem::path windowsModule = bundle / "Contents" / "x86_64-win" / (stem + ".vst3");
  std::error_code ignored;
  const bool windowsOnly = !std::filesystem::is_regular_file(linuxModule, ignored) &&
                           std::filesystem::is_regular_file(windowsModule, ignored);
  return (windowsOnly ? windowsModule : linuxModule).string();
}

template <typename Function>
Function Find(const ModuleLibrary& library, const char* name) {
  return reinterpret_cast<Function>(library.FindFunction(name));
}

}  // namespace

bool Vst3Module::IsVst3Path(const std::string& path) {
  // A bundle is a directory: its path may end in separators.
  const size_t last = path.find_last_not_of("/\\");
  return last != std::string::npos && last >= 5 && path.compare(last - 4, 5, ".vst3") == 0;
}

std::array<uint8_t, 16> Vst3Module::WrittenBytes(const Steinberg::TUID cid) {
  // Each stored byte of the probe names the written byte it holds.
  const Steinberg::FUID probe(0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F);
  std::array<uint8_t, 16> bytes{};
  for (size_t stored = 0; stored < bytes.size(); ++stored) {
    bytes[static_cast<size_t>(probe.data[stored])] = static_cast<uint8_t>(cid[stored]);
  }
  return bytes;
}

std::unique_ptr<Vst3Module> Vst3Module::Open(const std::string& path, std::string& error) {
  std::filesystem::path bundle(path);
  if (!bundle.has_filename()) {
    bundle = bundle.parent_path();
  }
  std::error_code ignored;
  std::unique_ptr<Vst3Module> module(new Vst3Module());
  module->name_ = path;
  module->modulePath_ = std::filesystem::is_directory(bundle, ignored) ? BundleModule(bundle) : bundle.string();
  module->library_ = ModuleLibrary::Open(module->modulePath_, error);
  if (module->library_ == nullptr) {
    return nullptr;
  }
  const ModuleLibrary& library = *module->library_;
  using CallProc = bool (*)();  // InitDll, ExitDll and ModuleExit
  if (auto entry = Find<bool (*)(void*)>(library, "ModuleEntry")) {
    if (!entry(library.Handle())) {
      error = "module " + path + ": ModuleEntry failed";
      return nullptr;
    }
    module->exit_ = Find<CallProc>(library, "ModuleExit");
  } else if (auto init = Find<CallProc>(library, "InitDll")) {
    if (!init()) {
      error = "module " + path + ": InitDll failed";
      return nullptr;
    }
    module->exit_ = Find<CallProc>(library, "ExitDll");
  }
  using FactoryProc = Steinberg::IPluginFactory* (*)();
  auto getFactory = Find<FactoryProc>(library, "GetPluginFactory");
  if (getFactory == nullptr) {
    error = "module " + path + " exports no GetPluginFactory: not a VST3 plug-in";
    return nullptr;
  }
  module->factory_ = getFactory();
  if (module->factory_ == nullptr) {
    error = "module " + path + ": GetPluginFactory gave no factory";
    return nullptr;
  }
  return module;
}

Vst3Module::~Vst3Module() {
  if (factory_ != nullptr) {
    factory_->release();
  }
  if (exit_ != nullptr) {
    exit_();
  }
}

bool Vst3Module::FindAudioClass(Steinberg::PClassInfo& info) const {
  const Steinberg::int32 count = factory_->countClasses();
  for (Steinberg::int32 i = 0; i < count; ++i) {
    if (factory_->getClassInfo(i, &info) == Steinberg::kResultOk &&
        std::strncmp(info.category, "Audio Module Class", sizeof info.category) == 0) {
      return true;
    }
  }
  return false;
}

Steinberg::Vst::IComponent* Vst3Module::NewComponent(std::string& error) const {
  Steinberg::PClassInfo info{};
  if (!FindAudioClass(info)) {
    error = "module " + name_ + " has no audio module class";
    return nullptr;
  }
  Steinberg::Vst::IComponent* component = Create<Steinberg::Vst::IComponent>(info.cid);
  if (component == nullptr) {
    error = "module " + name_ + " made no component";
  }
  return component;
}

}  // namespace QuorvelHost
