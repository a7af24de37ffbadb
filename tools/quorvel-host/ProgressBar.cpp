#include "tools/quorvel-host/ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace QuorvelHost {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(int64_t total, bool worthShowing)
    : total_(total > 0 ? total : 1), enabled_(worthShowing && isatty(fileno(stderr)) != 0) {}

ProgressBar::~ProgressBar() {
  if (enabled_ && lastPercent_ >= 0) {
    Update(total_);
    std::fputc('\n', stderr);
  }
}

void ProgressBar::Update(int64_t done) {
  if (!enabled_) {
    return;
  }
  auto percent = static_cast<int>(done * 100 / total_);
  if (percent == lastPercent_) {
    return;
  }
  lastPercent_ = percent;
  int filled = percent * kWidth / 100;
  char bar[kWidth + 1];
  for (int i = 0; i < kWidth; ++i) {
    bar[i] = i < filled ? '#' : '.';
  }
  bar[kWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
  std::fflush(stderr);
}

}  // namespace QuorvelHost
