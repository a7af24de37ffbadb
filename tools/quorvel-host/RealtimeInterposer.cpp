// The executable's own allocator and mutex entry points: each reports to the
// real-time probe and then calls the next definition in the search order (the C
// library's, or a sanitizer's). The dynamic linker binds a loaded module's
// references to these, because the executable comes first; the link exports
// them (RealtimeInterposer.list).
#include <dlfcn.h>
#include <pthread.h>

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
};

// dlsym may allocate while the functions are being looked up; those few early
// requests come from this arena and are never freed.
alignas(std::max_align_t) unsigned char arena[16384];
std::size_t arenaUsed = 0;
bool resolving = false;

void* FromArena(std::size_t size) {
  const std::size_t step = alignof(std::max_align_t);
  const std::size_t rounded = (size + step - 1) / step * step;
  if (rounded > sizeof arena - arenaUsed) {
    return nullptr;
  }
  void* block = arena + arenaUsed;
  arenaUsed += rounded;
  return block;
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
    resolving = false;
    resolved = next.malloc != nullptr && next.calloc != nullptr && next.realloc != nullptr &&
               next.free != nullptr && next.lock != nullptr && next.trylock != nullptr;
  }
  return next;
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
  if (posix_memalign(&block, bytes < sizeof(void*) ? sizeof(void*) : bytes, size == 0 ? 1 : size) != 0) {
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
