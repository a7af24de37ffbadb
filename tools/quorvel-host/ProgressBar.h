#pragma once

#include <cstdint>

namespace QuorvelHost {

// A one-line progress bar on standard error, drawn only when standard error
// is a terminal and the work is long enough to be worth watching.
class ProgressBar final {
 public:
  ProgressBar(int64_t total, bool worthShowing);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Update(int64_t done);

 private:
  int64_t total_;
  bool enabled_;
  int lastPercent_ = -1;
};

}  // namespace QuorvelHost
