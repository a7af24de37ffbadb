// A Windows module with a minimal editor (one child window), the way a plug-in
// editor has to behave for hosts: a size before opening, a second open
// replacing the first window, and a close of the instance taking the window
// down with it.
#include <windows.h>

#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class WithEditor final : public QuorvelHostTest::TestEffect {
 public:
  explicit WithEditor(audioMasterCallback host) : TestEffect(host, CCONST('T', 'E', 'd', 't'), {1.0f}) {
    Effect()->flags |= effFlagsHasEditor;
  }
  ~WithEditor() override { CloseWindow(); }

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        outputs[c][i] = inputs[c][i] * values_[0];
      }
    }
  }

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override {
    switch (opcode) {
      case effEditGetRect:
        *static_cast<ERect**>(ptr) = &rect_;
        return 1;
      case effEditOpen:
        CloseWindow();
        window_ = CreateWindowExA(0, "STATIC", "test editor", WS_CHILD | WS_VISIBLE, 0, 0, rect_.right,
                                  rect_.bottom, static_cast<HWND>(ptr), nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
        return window_ != nullptr ? 1 : 0;
      case effEditClose:
        CloseWindow();
        return 0;
      default:
        return TestEffect::Dispatch(opcode, index, value, ptr, opt);
    }
  }

 private:
  void CloseWindow() {
    if (window_ != nullptr) {
      DestroyWindow(window_);
      window_ = nullptr;
    }
  }

  ERect rect_{0, 0, 200, 300};
  HWND window_ = nullptr;
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new WithEditor(host))->Effect();
}
