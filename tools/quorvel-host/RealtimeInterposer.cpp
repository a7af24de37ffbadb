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

#include "tools/quorvel-host/RealtimeProbe.h"

using QuorvelHost::RealtimeProbe;

namespace {

struct NextFunctions {
  void* (*malloc)(std::size_t);
  void* (*calloc)(std::size_t, std::size_t);
  void* (*realloc)(void*, std::size_t);
  void (*free)(void*);
  int (*lock)(pthread_mutex_t*);
  int (*trylock)(pthread_mutex_t*);
  int (*posixMemalign)(void**, std::size_t, std::size_t);
  void* (*alignedAlloc)(std::size_t, std::size_t);
  void* (*memalign)(std::size_t, std::size_t);
  int (*rdlock)(pthread_rwlock_t*);
  int (*wrlock)(pthread_rwlock_t*);
  int (*tryrdlock)(pthread_rwlock_t*);
  int (*trywrlock)(pthread_rwlock_t*);
  int (*timedrdlock)(pthread_rwlock_t*, const timespec*);
  int (*timedwrlock)(pthread_rwlock_t*, const timespec*);
  int (*condWait)(pthread_cond_t*, pthread_mutex_t*);
  int (*condTimedwait)(pthread_cond_t*, pthread_mutex_t*, const timespec*);
  int (*condSignal)(pthread_cond_t*);
  int (*condBroadcast)(pthread_cond_t*);
  int (*semWait)(sem_t*);
  int (*nanosleep)(const timespec*, timespec*);
};

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

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Looked up on first use, without a guarded static: the guard itself may lock.
NextFunctions next{};
bool resolved = false;

// A sanitizer's runtime allocates from inside dlsym while it starts, before the
// lookups can succeed; until they do, requests come from the arena.
const NextFunctions& Functions() {
  if (!resolved && !resolving) {
    resolving = true;
    next.malloc = Next<decltype(next.malloc)>("malloc");
    next.calloc = Next<decltype(next.calloc)>("calloc");
    next.realloc = Next<decltype(next.realloc)>("realloc");
    next.free = Next<decltype(next.free)>("free");
    next.lock = Next<decltype(next.lock)>("pthread_mutex_lock");
    next.trylock = Next<decltype(next.trylock)>("pthread_mutex_trylock");
    next.posixMemalign = Next<decltype(next.posixMemalign)>("posix_memalign");
    next.alignedAlloc = Next<decltype(next.alignedAlloc)>("aligned_alloc");
    next.memalign = Next<decltype(next.memalign)>("memalign");
    next.rdlock = Next<decltype(next.rdlock)>("pthread_rwlock_rdlock");
    next.wrlock = Next<decltype(next.wrlock)>("pthread_rwlock_wrlock");
    next.tryrdlock = Next<decltype(next.tryrdlock)>("pthread_rwlock_tryrdlock");
    next.trywrlock = Next<decltype(next.trywrlock)>("pthread_rwlock_trywrlock");
    next.timedrdlock = Next<decltype(next.timedrdlock)>("pthread_rwlock_timedrdlock");
    next.timedwrlock = Next<decltype(next.timedwrlock)>("pthread_rwlock_timedwrlock");
    next.condWait = Next<decltype(next.condWait)>("pthread_cond_wait");
    next.condTimedwait = Next<decltype(next.condTimedwait)>("pthread_cond_timedwait");
    next.condSignal = Next<decltype(next.condSignal)>("pthread_cond_signal");
    next.condBroadcast = Next<decltype(next.condBroadcast)>("pthread_cond_broadcast");
    next.semWait = Next<decltype(next.semWait)>("sem_wait");
    next.nanosleep = Next<decltype(next.nanosleep)>("nanosleep");
    resolving = false;
    resolved = next.malloc != nullptr && next.calloc != nullptr && next.realloc != nullptr &&
               next.free != nullptr && next.lock != nullptr && next.trylock != nullptr &&
               next.posixMemalign != nullptr && next.alignedAlloc != nullptr && next.memalign != nullptr &&
               next.rdlock != nullptr && next.wrlock != nullptr && next.tryrdlock != nullptr &&
               next.trywrlock != nullptr && next.timedrdlock != nullptr && next.timedwrlock != nullptr &&
               next.condWait != nullptr && next.condTimedwait != nullptr && next.condSignal != nullptr &&
               next.condBroadcast != nullptr && next.semWait != nullptr && next.nanosleep != nullptr;
  }
  return next;
}

// The next posix_memalign, for the aligned operator new, which counts as itself.
int UnwatchedAligned(void** block, std::size_t alignment, std::size_t size) {
  const NextFunctions& functions = Functions();
  if (!resolved) {
    *block = FromArena(size, alignment);
    return *block != nullptr ? 0 : ENOMEM;
  }
  return functions.posixMemalign(block, alignment, size);
}

// The next malloc, for operator new, which counts as itself.
void* Unwatched(std::size_t size) {
  const NextFunctions& functions = Functions();
  return resolved ? functions.malloc(size) : FromArena(size);
}

void* Allocate(std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kNew);
  void* block = Unwatched(size == 0 ? 1 : size);
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
  const NextFunctions& functions = Functions();
  if (block != nullptr && !InArena(block) && resolved) {
    functions.free(block);
  }
}

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kMalloc);
  const NextFunctions& functions = Functions();
  return resolved ? functions.malloc(size) : FromArena(size);
}

void* calloc(std::size_t count, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kCalloc);
  const NextFunctions& functions = Functions();
  // The arena is zero and never reused.
  return resolved ? functions.calloc(count, size) : FromArena(count * size);
}

void* realloc(void* block, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kRealloc);
  if (InArena(block) || !resolved) {
    // An early block moves out of the arena; its old size is unknown, so copy what may be there.
    void* moved = malloc(size);
    const std::size_t available =
        static_cast<std::size_t>(arena + sizeof arena - static_cast<unsigned char*>(block));
    if (moved != nullptr) {
      std::memcpy(moved, block, size < available ? size : available);
    }
    return moved;
  }
  return Functions().realloc(block, size);
}

void free(void* block) {
  RealtimeProbe::Note(RealtimeProbe::kFree);
  const NextFunctions& functions = Functions();
  if (block != nullptr && !InArena(block) && resolved) {
    functions.free(block);
  }
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
  RealtimeProbe::Note(RealtimeProbe::kMutexLock);
  const NextFunctions& functions = Functions();
  return resolved ? functions.lock(mutex) : 0;  // before that, one thread: nothing to exclude
}

int pthread_mutex_trylock(pthread_mutex_t* mutex) {
  RealtimeProbe::Note(RealtimeProbe::kMutexTryLock);
  const NextFunctions& functions = Functions();
  return resolved ? functions.trylock(mutex) : 0;
}

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kPosixMemalign);
  return UnwatchedAligned(block, alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kAlignedAlloc);
  const NextFunctions& functions = Functions();
  return resolved ? functions.alignedAlloc(alignment, size) : FromArena(size, alignment);
}

void* memalign(std::size_t alignment, std::size_t size) {
  RealtimeProbe::Note(RealtimeProbe::kMemalign);
  const NextFunctions& functions = Functions();
  return resolved ? functions.memalign(alignment, size) : FromArena(size, alignment);
}

// Before the lookups, only one thread runs: a lock has nothing to exclude and a wait
// nothing to wait for.
int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockRead);
  const NextFunctions& functions = Functions();
  return resolved ? functions.rdlock(lock) : 0;
}

int pthread_rwlock_tryrdlock(pthread_rwlock_t* lock) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockRead);
  const NextFunctions& functions = Functions();
  return resolved ? functions.tryrdlock(lock) : 0;
}

int pthread_rwlock_timedrdlock(pthread_rwlock_t* lock, const timespec* until) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockRead);
  const NextFunctions& functions = Functions();
  return resolved ? functions.timedrdlock(lock, until) : 0;
}

int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockWrite);
  const NextFunctions& functions = Functions();
  return resolved ? functions.wrlock(lock) : 0;
}

int pthread_rwlock_trywrlock(pthread_rwlock_t* lock) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockWrite);
  const NextFunctions& functions = Functions();
  return resolved ? functions.trywrlock(lock) : 0;
}

int pthread_rwlock_timedwrlock(pthread_rwlock_t* lock, const timespec* until) {
  RealtimeProbe::Note(RealtimeProbe::kRwlockWrite);
  const NextFunctions& functions = Functions();
  return resolved ? functions.timedwrlock(lock, until) : 0;
}

int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
  RealtimeProbe::Note(RealtimeProbe::kCondWait);
  const NextFunctions& functions = Functions();
  return resolved ? functions.condWait(condition, mutex) : 0;
}

int pthread_cond_timedwait(pthread_cond_t* condition, pthread_mutex_t* mutex, const timespec* until) {
  RealtimeProbe::Note(RealtimeProbe::kCondWait);
  const NextFunctions& functions = Functions();
  return resolved ? functions.condTimedwait(condition, mutex, until) : 0;
}

int pthread_cond_signal(pthread_cond_t* condition) {
  RealtimeProbe::Note(RealtimeProbe::kCondSignal);
  const NextFunctions& functions = Functions();
  return resolved ? functions.condSignal(condition) : 0;
}

int pthread_cond_broadcast(pthread_cond_t* condition) {
  RealtimeProbe::Note(RealtimeProbe::kCondSignal);
  const NextFunctions& functions = Functions();
  return resolved ? functions.condBroadcast(condition) : 0;
}

int sem_wait(sem_t* semaphore) {
  RealtimeProbe::Note(RealtimeProbe::kSemWait);
  const NextFunctions& functions = Functions();
  return resolved ? functions.semWait(semaphore) : 0;
}

int nanosleep(const timespec* duration, timespec* remaining) {
  RealtimeProbe::Note(RealtimeProbe::kNanosleep);
  const NextFunctions& functions = Functions();
  return resolved ? functions.nanosleep(duration, remaining) : 0;
}

}  // extern "C"

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  RealtimeProbe::Note(RealtimeProbe::kNew);
  return Unwatched(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  RealtimeProbe::Note(RealtimeProbe::kNew);
  return Unwatched(size == 0 ? 1 : size);
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
