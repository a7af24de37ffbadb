#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace VstToolkit {

// The editor's edits on their way to the host's event list: written on the user-interface
// thread, read where the host collects the plug-in's events (process on the audio thread,
// or params.flush), which the host never runs at once. Wait-free; an edit finding the
// queue full is dropped (only a host that stops collecting for thousands of edits sees it).
class ClapEditQueue final {
 public:
  enum class Kind : uint8_t { kBegin, kValue, kEnd };
  struct Edit {
    Kind kind = Kind::kValue;
    int32_t index = 0;
    float value = 0.0f;
  };

  // User-interface thread.
  bool Push(const Edit& edit) {
    const uint32_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == kCapacity) {
      return false;
    }
    edits_[tail % kCapacity] = edit;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
  }

  // The host's collecting thread: false when nothing waits.
  bool Pop(Edit& edit) {
    const uint32_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) {
      return false;
    }
    edit = edits_[head % kCapacity];
    head_.store(head + 1, std::memory_order_release);
    return true;
  }

  // Any thread: whether no edit waits.
  bool Empty() const { return head_.load(std::memory_order_acquire) == tail_.load(std::memory_order_acquire); }

 private:
  static constexpr uint32_t kCapacity = 1024;
  std::array<Edit, kCapacity> edits_{};
  std::atomic<uint32_t> head_{0};
  std::atomic<uint32_t> tail_{0};
};

}  // namespace VstToolkit
