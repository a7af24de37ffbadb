#pragma once

#include <cstdint>
#include <string>

namespace QuorvelHost {

// Counts the calls of the allocator, of locking and waiting, and of sleeping made
// while it is armed. The counting versions of malloc, calloc, realloc, free,
// posix_memalign, aligned_alloc, memalign, operator new and delete, the pthread
// mutex, read-write lock and condition variable operations, sem_wait and nanosleep
// are the executable's own (RealtimeInterposer.cpp, linked into quorvel-host where
// the platform resolves a loaded module's symbols through the executable first),
// so a plug-in's calls are counted too. Builds without them report the probe as
// not installed.
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
    kPosixMemalign,
    kAlignedAlloc,
    kMemalign,
    kRwlockRead,   // rdlock, tryrdlock, timedrdlock
    kRwlockWrite,  // wrlock, trywrlock, timedwrlock
    kCondWait,     // wait, timedwait
    kCondSignal,   // signal, broadcast
    kSemWait,
    kNanosleep,
    kCount
  };

  // True when an allocation made through a plain function pointer was counted.
  static bool Installed();
  // Counts from zero again.
  static void Reset();
  // Counts the calls from Arm to Disarm, adding to what earlier watches counted.
  static void Arm();
  static void Disarm();
  static int64_t Total();
  // Each function called with its count ("malloc 2, free 2"); empty where none was.
  static std::string Summary();

  // The interposed functions report here; safe inside the allocator (no allocation, no lock).
  static void Note(Function function);
};

}  // namespace QuorvelHost
