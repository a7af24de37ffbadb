#include "toolkit/x11/Prompt.h"

#include <utility>

namespace X11Toolkit {

Prompt::Prompt(int32_t dismissed_, Answer answer_) : dismissed(dismissed_), answer(std::move(answer_)) {}

std::function<void()> Prompt::TakeAnswer(bool dismiss) {
  const int32_t given = finished && !dismiss ? result : dismissed;
  Answer taken = std::move(answer);
  answer = nullptr;
  return [taken = std::move(taken), given] {
    if (taken) taken(given);
  };
}

void Prompt::Finish(int32_t result_) {
  if (finished) return;
  finished = true;
  result = result_;
}

}  // namespace X11Toolkit
