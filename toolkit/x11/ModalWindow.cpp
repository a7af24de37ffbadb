#include "toolkit/x11/ModalWindow.h"

#include "toolkit/x11/Connection.h"

namespace X11Toolkit {

int32_t ModalWindow::RunModal() {
  GetConnection()->RunUntil([this] { return done; });
  return result;
}

void ModalWindow::Finish(int32_t answer) {
  if (done) return;
  done = true;
  result = answer;
}

}  // namespace X11Toolkit
