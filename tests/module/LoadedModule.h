#pragma once

namespace QuorvelTest {

// A plug-in module loaded the way a host loads it (dlopen, or LoadLibrary on Windows).
class LoadedModule final {
 public:
  explicit LoadedModule(const char* path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  bool IsLoaded() const { return handle != nullptr; }
  // The exported symbol's address, or null.
  void* Symbol(const char* name) const;

 private:
  void* handle;
};

}  // namespace QuorvelTest
