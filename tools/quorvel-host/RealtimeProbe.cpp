#include "tools/quorvel-host/RealtimeProbe.h"

#include <atomic>
#include <cstdlib>

namespace QuorvelHost {

namespace {

// Constant-initialised: the allocator may be called before any constructor runs.
std::atomic<bool> armed{false};
std::atomic<int64_t> counts[RealtimeProbe::kCount];

constexpr const char* kNames[RealtimeProbe::kCount] = {"malloc",
                                                       "calloc",
                                                       "realloc",
                                                       "free",
                                                       "operator new",
                                                       "operator delete",
                                                       "pthread_mutex_lock",
                                                       "pthread_mutex_trylock",
                                                       "posix_memalign",
                                                       "aligned_alloc",
                                                       "memalign",
                                                       "pthread_rwlock read lock",
                                                       "pthread_rwlock write lock",
                                                       "pthread_cond wait",
                                                       "pthread_cond signal",
                                                       "sem_wait",
                                                       "nanosleep"};

}  // namespace

void RealtimeProbe::Note(Function function) {
  if (armed.load(std::memory_order_relaxed)) {
    counts[function].fetch_add(1, std::memory_order_relaxed);
  }
}

void RealtimeProbe::Reset() {
  for (auto& count : counts) {
    count.store(0, std::memory_order_relaxed);
  }
}

void RealtimeProbe::Arm() {
  armed.store(true, std::memory_order_relaxed);
}

void RealtimeProbe::Disarm() {
  armed.store(false, std::memory_order_relaxed);
}

int64_t RealtimeProbe::Total() {
  int64_t total = 0;
  for (const auto& count : counts) {
    total += count.load(std::memory_order_relaxed);
  }
  return total;
}

std::string RealtimeProbe::Summary() {
  std::string text;
  for (int32_t f = 0; f < kCount; ++f) {
    const int64_t count = counts[f].load(std::memory_order_relaxed);
    if (count > 0) {
      text += std::string(text.empty() ? "" : ", ") + kNames[f] + " " + std::to_string(count);
    }
  }
  return text;
}

bool RealtimeProbe::Installed() {
  // Through a volatile pointer the compiler can neither see nor drop the call.
  void* (*volatile allocate)(std::size_t) = std::malloc;
  void (*volatile release)(void*) = std::free;
  Reset();
  Arm();
  release(allocate(16));
  Disarm();
  return counts[kMalloc].load(std::memory_order_relaxed) > 0 &&
         counts[kFree].load(std::memory_order_relaxed) > 0;
}

}  // namespace QuorvelHost
