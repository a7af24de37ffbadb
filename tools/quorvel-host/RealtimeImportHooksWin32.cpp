// The Windows counterpart of RealtimeInterposer.cpp. Windows binds a DLL's calls to
// the DLL that exports them, never to the executable, so the executable rewrites the
// import tables instead: its own at start-up, and every loaded module's before the
// module runs. Each allocator, locking, waiting and sleeping import a table names is
// replaced by a function that reports to the real-time probe and calls the import's
// own target. A slot whose target differs from the first one seen for its name (another
// C runtime's malloc, say) keeps its target: memory must go back where it came from.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "tools/module-library/ModuleLibrary.h"
#include "tools/quorvel-host/RealtimeProbe.h"

namespace {

using QuorvelHost::RealtimeProbe;

template <RealtimeProbe::Function kFunction, typename Result, typename... Arguments>
struct Counted {
  static inline ULONG_PTR target = 0;  // the first target seen for the import's name
  static Result Call(Arguments... arguments) {
    RealtimeProbe::Note(kFunction);
    return reinterpret_cast<Result (*)(Arguments...)>(target)(arguments...);
  }
};

struct Hook {
  const char* name;
  ULONG_PTR replacement;
  ULONG_PTR* target;
};

template <RealtimeProbe::Function kFunction, typename Result, typename... Arguments>
Hook HookOf(const char* name, Result (*)(Arguments...)) {
  using Counter = Counted<kFunction, Result, Arguments...>;
  return Hook{name, reinterpret_cast<ULONG_PTR>(&Counter::Call), &Counter::target};
}

const Hook kHooks[] = {
    HookOf<RealtimeProbe::kMalloc>("malloc", &std::malloc),
    HookOf<RealtimeProbe::kCalloc>("calloc", &std::calloc),
    HookOf<RealtimeProbe::kRealloc>("realloc", &std::realloc),
    HookOf<RealtimeProbe::kFree>("free", &std::free),
    HookOf<RealtimeProbe::kAlignedAlloc>("_aligned_malloc", &_aligned_malloc),
    HookOf<RealtimeProbe::kMutexLock>("EnterCriticalSection", &EnterCriticalSection),
    HookOf<RealtimeProbe::kMutexTryLock>("TryEnterCriticalSection", &TryEnterCriticalSection),
    HookOf<RealtimeProbe::kRwlockWrite>("AcquireSRWLockExclusive", &AcquireSRWLockExclusive),
    HookOf<RealtimeProbe::kRwlockRead>("AcquireSRWLockShared", &AcquireSRWLockShared),
    HookOf<RealtimeProbe::kCondWait>("SleepConditionVariableCS", &SleepConditionVariableCS),
    HookOf<RealtimeProbe::kCondWait>("SleepConditionVariableSRW", &SleepConditionVariableSRW),
    HookOf<RealtimeProbe::kSemWait>("WaitForSingleObject", &WaitForSingleObject),
    HookOf<RealtimeProbe::kSemWait>("WaitForMultipleObjects", &WaitForMultipleObjects),
    HookOf<RealtimeProbe::kNanosleep>("Sleep", &Sleep),
};

void Replace(ULONG_PTR& slot, const Hook& hook) {
  if (slot == hook.replacement) return;  // rewritten already (a module loaded again)
  if (*hook.target == 0) *hook.target = slot;
  if (slot != *hook.target) return;
  DWORD protection = 0;
  if (VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &protection) == 0) return;
  slot = hook.replacement;
  VirtualProtect(&slot, sizeof slot, protection, &protection);
}

// The main thread, while nothing else runs in the module: its import tables as the
// loader filled them.
void RewriteImports(void* handle) {
  auto* base = static_cast<uint8_t*>(handle);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (base == nullptr || dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (headers->Signature != IMAGE_NT_SIGNATURE || imports.VirtualAddress == 0) return;
  for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       library->Name != 0; ++library) {
    if (library->OriginalFirstThunk == 0) continue;  // no names to go by
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const Hook& hook : kHooks) {
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), hook.name) == 0) {
          Replace(slots->u1.Function, hook);
        }
      }
    }
  }
}

// Start-up, before main: the executable's own imports, then every module's as it loads.
const bool watching = [] {
  RewriteImports(GetModuleHandleW(nullptr));
  QuorvelHost::ModuleLibrary::WatchLoads(&RewriteImports);
  return true;
}();

}  // namespace
