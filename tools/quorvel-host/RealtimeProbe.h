#pragma once

#include <cstdint>

namespace QuorvelHost {

// Counts the calls of the allocator and of mutex locking made while it is armed.
// The counting versions of malloc, calloc, realloc, free, operator new and
// delete, pthread_mutex_lock and pthread_mutex_trylock are the executable's own
// (RealtimeInterposer.cpp, linked into quorvel-host where the platform resolves
// a loaded module's symbols through the executable first), so a plug-in's calls
// are counted too. Builds without them report the probe as not installed.
class RealtimeProbe final {
 public:
  enum Function : int32_t {
    kMalloc,
    kCalloc,
    kRealloc,
    kFree,
    kNew,
    kDelete,
    kMutexLock,
    kMutexTryLock,
    kCount
  };

  // True when an allocation made through a plain function pointer was counted.
  static bool Installed();
  // Starts counting from zero; Disarm stops it and keeps the counts.
  static void Arm();
  static void Disarm();
  static int64_t Count(Function function);
  static int64_t Total();
  static const char* Name(Function function);

  // The interposed functions report here; safe inside the allocator (no allocation, no lock).
  static void Note(Function function);
};

}  // namespace QuorvelHost
