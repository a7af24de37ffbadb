#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/clap/ClapBase.h"
#include "host/clap/ClapExtensions.h"
#include "host/clap/ClapGui.h"

namespace QuorvelHost {

// The host a CLAP plug-in talks back to, as a strict host: its main thread is the thread
// that made it, its audio thread whichever thread is inside an audio call (AudioCall);
// every call the plug-in makes is checked against the thread the format allows it on, and
// a call on the wrong one is recorded as a violation. It serves thread-check, params
// (request_flush recorded), state (mark_dirty recorded), gui (request_resize recorded),
// timer-support and posix-fd-support (the registrations kept for the caller to fire), and
// records request_callback for the caller to answer with on_main_thread.
class ClapHost final {
 public:
  ClapHost();
  ClapHost(const ClapHost&) = delete;
  ClapHost& operator=(const ClapHost&) = delete;

  const clap_host_t* Record() const { return &record_; }

  // Marks the calling thread as the audio thread while it lives (unless `audio` is false).
  class AudioCall final {
   public:
    explicit AudioCall(bool audio = true) : marks_(audio ? 1 : 0) { audioCalls_ += marks_; }
    ~AudioCall() { audioCalls_ -= marks_; }
    AudioCall(const AudioCall&) = delete;
    AudioCall& operator=(const AudioCall&) = delete;

   private:
    const int marks_;
  };
  // Whether the calling thread counts as the main thread, or as the audio thread, now.
  bool OnMainThread() const;
  static bool OnAudioThread() { return audioCalls_ > 0; }

  // What the plug-in asked for so far (any thread): params.request_flush, request_callback,
  // state.mark_dirty and params.rescan counted; the violations as one line, "; " between
  // them, empty while there are none.
  enum Request { kFlush, kCallback, kDirty, kRescan, kRequests };
  int32_t Requests(Request kind) const { return requests_[kind].load(); }
  std::string Violations() const;
  struct Size {
    uint32_t width;
    uint32_t height;
  };
  std::vector<Size> ResizeRequests() const;
  // Takes the callback request: true when the plug-in asked since the last take.
  bool TakeCallbackRequest() { return callbackPending_.exchange(false); }
  // The registered timers (ids) and file descriptors (main thread).
  const std::vector<clap_id>& Timers() const { return timers_; }
  const std::vector<int>& Descriptors() const { return descriptors_; }

  // Records a violation the caller found.
  void Violation(const std::string& what);

 private:
  // Records `call` as a violation where the calling thread is not one the format allows it on.
  enum Allowed { kMainThread, kNotAudioThread };
  void Require(Allowed allowed, const char* call);

  static const void* GetExtension(const clap_host_t* host, const char* id);

  static inline thread_local int audioCalls_ = 0;  // the audio calls the thread is inside
  clap_host_t record_{};
  const std::thread::id mainThread_;
  mutable std::mutex mutex_;  // guards the records below that any thread may add to
  std::string violations_;
  std::vector<Size> resizes_;
  std::atomic<int32_t> requests_[kRequests] = {};
  std::atomic<bool> callbackPending_{false};
  std::vector<clap_id> timers_;   // main thread
  clap_id nextTimer_ = 1;         // main thread
  std::vector<int> descriptors_;  // main thread
};

}  // namespace QuorvelHost
