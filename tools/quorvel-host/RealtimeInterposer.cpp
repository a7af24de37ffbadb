// The executable's own allocator, locking, waiting and sleeping entry points: each
// reports to the real-time probe and then calls the next definition in the search
// order (the C library's, or a sanitizer's). The dynamic linker binds a loaded
// module's references to these, because the executable comes first; the link
// exports them (RealtimeInterposer.list).
#include <dlfcn.h>
#include <malloc.h>
#include <pthread.h>
#include <semaphore.h>
#include <time.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

#include "tools/quorvel-host/RealtimeProbe.h"

using QuorvelHost::RealtimeProbe;

namespace {

// The next definitions, looked up together; a hook names its own by SlotOf.
constexpr int kSlotCount = 21;
constexpr std::string_view kNames[kSlotCount] = {
    "malloc",
    "calloc",
    "realloc",
    "free",
    "posix_memalign",
    "aligned_alloc",
    "memalign",
    "pthread_mutex_lock",
    "pthread_mutex_trylock",
    "pthread_rwlock_rdlock",
    "pthread_rwlock_tryrdlock",
    "pthread_rwlock_timedrdlock",
    "pthread_rwlock_wrlock",
    "pthread_rwlock_trywrlock",
    "pthread_rwlock_timedwrlock",
    "pthread_cond_wait",
    "pthread_cond_timedwait",
    "pthread_cond_signal",
    "pthread_cond_broadcast",
    "sem_wait",
    "nanosleep",
};

constexpr int SlotOf(std::string_view name) {
  int slot = 0;
  while (slot < kSlotCount && kNames[slot] != name) {
    ++slot;
  }
  return slot;
}

// dlsym may allocate while the functions are being looked up; those few early
// requests come from this arena and are never freed.
alignas(std::max_align_t) unsigned char arena[16384];
std::size_t arenaUsed = 0;
bool resolving = false;

// `alignment` is a power of two.
void* FromArena(std::size_t size, std::size_t alignment = alignof(std::max_align_t)) {
  const std::size_t step = alignment > alignof(std::max_align_t) ? alignment : alignof(std::max_align_t);
  const auto base = reinterpret_cast<std::size_t>(arena);
  const std::size_t start = (base + arenaUsed + step - 1) / step * step - base;
  const std::size_t rounded = (size + step - 1) / step * step;
  if (start > sizeof arena || rounded > sizeof arena - start) {
    return nullptr;
  }
  arenaUsed = start + rounded;
  return arena + start;
}

bool InArena(const void* block) {
  const auto* byte = static_cast<const unsigned char*>(block);
  return byte >= arena && byte < arena + sizeof arena;
}

// Looked up on first use, without a guarded static: the guard itself may lock.
void* next[kSlotCount] = {};
bool resolved = false;

// A sanitizer's runtime allocates from inside dlsym while it starts, before the
// lookups can succeed; until they do, requests come from the arena.
bool Resolved() {
  if (!resolved && !resolving) {
    resolving = true;
    bool all = true;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      next[slot] = dlsym(RTLD_NEXT, kNames[slot].data());
      all = all && next[slot] != nullptr;
    }
    resolving = false;
    resolved = all;
  }
  return resolved;
}

// The next definition in `slot`, called; only once Resolved() said so.
template <int slot, typename Result, typename... Args>
Result CallNext(Args... args) {
  static_assert(slot < kSlotCount, "a hook without a name in kNames");
  return reinterpret_cast<Result (*)(Args...)>(next[slot])(args...);
}

// Every lock, wait and sleep has this one shape. Before the lookups, only one thread
// runs: a lock has nothing to exclude and a wait nothing to wait for.
template <int slot, RealtimeProbe::Function function, typename... Args>
int Waiting(Args... args) {
  RealtimeProbe::Note(function);
  return Resolved() ? CallNext<slot, int>(args...) : 0;
}

// The next posix_memalign, for the aligned operator new, which counts as itself.
int UnwatchedAligned(void** block, std::size_t alignment, std::size_t size) {
  if (!Resolved()) {
    *block = FromArena(size, alignment);
    return *block != nullptr ? 0 : ENOMEM;
  }
  return CallNext<SlotOf("posix_memalign"), int>(block, alignment, size);
}

// The next malloc, for operator new, which counts as itself.
void* Unwatched(std::size_t size) {
  return Resolved() ? CallNext<SlotOf("malloc"), void*>(size) : FromArena(size);
}

// The next free; an early block stays in the arena.
void Unwatched(void* block) {
  if (block != nullptr && !InArena(block) && Resolved()) {
    CallNext<SlotOf("free"), void>(block);
  }
}

// aligned_alloc and memalign take the same arguments in the same order.
template <int slot, RealtimeProbe::Function function>
void* Aligned(std::size_t alignment, std::size_t size) {
  RealtimeProbe::Note(function);
  return Resolved() ? CallNext<slot, void*>(alignment, size) : FromArena(size, alignment);
}

void* Unthrowing(std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kNew);
  return Unwatched(size == 0 ? 1 : size);
}

void* Allocate(std::size_t size) {
  void* block = Unthrowing(size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
  RealtimeProbe::Note(RealtimeProbe::kNew);
  void* block = nullptr;
  const auto bytes = static_cast<std::size_t>(alignment);
  if (UnwatchedAligned(&block, bytes < sizeof(void*) ? sizeof(void*) : bytes, size == 0 ? 1 : size) != 0) {
    throw std::bad_alloc();
  }
  return block;
}

void Release(void* block) {
  RealtimeProbe::Note(RealtimeProbe::kDelete);
  Unwatched(block);
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kMalloc);
  return Unwatched(size);
}

void* calloc(std::size_t count, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kCalloc);
  // The arena is zero and never reused.
  return Resolved() ? CallNext<SlotOf("calloc"), void*>(count, size) : FromArena(count * size);
}

void* realloc(void* block, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kRealloc);
  if (InArena(block) || !Resolved()) {
    // An early block moves out of the arena; its old size is unknown, so copy what may be there.
    void* moved = malloc(size);
    const std::size_t available =
        static_cast<std::size_t>(arena + sizeof arena - static_cast<unsigned char*>(block));
    if (moved != nullptr) {
      std::memcpy(moved, block, size < available ? size : available);
    }
    return moved;
  }
  return CallNext<SlotOf("realloc"), void*>(block, size);
}

void free(void* block) {
  RealtimeProbe::Note(RealtimeProbe::kFree);
  Unwatched(block);
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kPosixMemalign);
  return UnwatchedAligned(block, alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
  return Aligned<SlotOf("aligned_alloc"), RealtimeProbe::kAlignedAlloc>(alignment, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
  return Aligned<SlotOf("memalign"), RealtimeProbe::kMemalign>(alignment, size);
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
  return Waiting<SlotOf("pthread_mutex_lock"), RealtimeProbe::kMutexLock>(mutex);
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  return Waiting<SlotOf("pthread_mutex_trylock"), RealtimeProbe::kMutexTryLock>(mutex);
}

int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
  return Waiting<SlotOf("pthread_rwlock_rdlock"), RealtimeProbe::kRwlockRead>(lock);
}

int pthread_rwlock_tryrdlock(pthread_rwlock_t* lock) {
  return Waiting<SlotOf("pthread_rwlock_tryrdlock"), RealtimeProbe::kRwlockRead>(lock);
}

int pthread_rwlock_timedrdlock(pthread_rwlock_t* lock, const timespec* until) {
  return Waiting<SlotOf("pthread_rwlock_timedrdlock"), RealtimeProbe::kRwlockRead>(lock, until);
}

int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
  return Waiting<SlotOf("pthread_rwlock_wrlock"), RealtimeProbe::kRwlockWrite>(lock);
}

int pthread_rwlock_trywrlock(pthread_rwlock_t* lock) {
  return Waiting<SlotOf("pthread_rwlock_trywrlock"), RealtimeProbe::kRwlockWrite>(lock);
}

int pthread_rwlock_timedwrlock(pthread_rwlock_t* lock, const timespec* until) {
  return Waiting<SlotOf("pthread_rwlock_timedwrlock"), RealtimeProbe::kRwlockWrite>(lock, until);
}

int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
  return Waiting<SlotOf("pthread_cond_wait"), RealtimeProbe::kCondWait>(condition, mutex);
}

int pthread_cond_timedwait(pthread_cond_t* condition, pthread_mutex_t* mutex, const timespec* until) {
  return Waiting<SlotOf("pthread_cond_timedwait"), RealtimeProbe::kCondWait>(condition, mutex, until);
}

int pthread_cond_signal(pthread_cond_t* condition) {
  return Waiting<SlotOf("pthread_cond_signal"), RealtimeProbe::kCondSignal>(condition);
}

int pthread_cond_broadcast(pthread_cond_t* condition) {
  return Waiting<SlotOf("pthread_cond_broadcast"), RealtimeProbe::kCondSignal>(condition);
}

int sem_wait(sem_t* semaphore) {
  return Waiting<SlotOf("sem_wait"), RealtimeProbe::kSemWait>(semaphore);
}

int nanosleep(const timespec* duration, timespec* remaining) {
  return Waiting<SlotOf("nanosleep"), RealtimeProbe::kNanosleep>(duration, remaining);
}

}  // extern "C"

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Unthrowing(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Unthrowing(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return AllocateAligned(size, alignment);
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  Release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  Release(block);
}
