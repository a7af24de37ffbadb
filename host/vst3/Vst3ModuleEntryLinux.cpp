// The Linux module's load and unload calls. Nothing is set up or torn down: the factory
// and the editor's shared state are made when first used and live as long as the module,
// which stays loaded (-z nodelete).
extern "C" __attribute__((visibility("default"))) bool ModuleEntry(void*) {
  return true;
}

extern "C" __attribute__((visibility("default"))) bool ModuleExit() {
  return true;
}
