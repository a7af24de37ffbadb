// The shared lifecycle over a platform that only records: what no real host can see,
// such as whether it is asked to resize inside the platform's error trap.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/EditorLifecycle.h"
#include "editor/ScaledLayout.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/ViewLink.h"
#include "tests/vst2/TestModel.h"

namespace {

using Resize = std::tuple<int32_t, int32_t, bool>;  // the size asked for, and whether inside the trap

class FakeEditor final : public VstToolkit::EditorLifecycle,
                         private VstToolkit::ViewLink,
                         public VstToolkit::InstanceHost {
 public:
  explicit FakeEditor(VstToolkit::InstanceCore& core_) : EditorLifecycle(core_, VstToolkit::EditorFormat::kVst2) {}
  ~FakeEditor() override { Close(); }
  using EditorLifecycle::MeasuredDpiChanged;

  double dpi = 96.0;
  bool dpiChanged = false, makeFails = false, connected = false, trapped = false;
  std::vector<Resize> resizes;

 private:
  double MeasureDpi() override { return dpi; }
  bool Connect(VstToolkit::NativeWindow) override { return connected = true; }
  void Disconnect() override { connected = false; }
  VstToolkit::ViewLink* MakeView(Toolkit::ScaleFactor scale) override {
    if (!makeFails) view = std::make_unique<ScaledLayout>(scale);
    return makeFails ? nullptr : this;
  }
  void ShowView() override {}
  bool ViewAlive() const override { return view != nullptr; }
  VstToolkit::EditorSize ViewSize() const override { return {view->ViewWidth(), view->ViewHeight()}; }
  void DestroyView() override { view.reset(); }
  bool Pump() override { return std::exchange(dpiChanged, false); }
  void RunTrapped(const std::function<void()>& calls) override {
    trapped = true;
    calls();
    trapped = false;
  }

  void SetStatusText(const char*) override {}
  bool HasParameterControl(int32_t) const override { return false; }
  void SetParameterControlValue(int32_t, float) override {}
  void ShowAboutDialog() override {}
  VstToolkit::NativeWindow GetWindowHandle() const override { return {}; }

  void BeginParameterEdit(int32_t) override {}
  void PerformParameterEdit(int32_t, float) override {}
  void EndParameterEdit(int32_t) override {}
  void ParameterSetByPlugin(int32_t, float) override {}
  bool ResizeEditor(int32_t width, int32_t height) override {
    resizes.emplace_back(width, height, trapped);
    return true;
  }
  void StateChanged() override {}

  std::unique_ptr<ScaledLayout> view;
};

struct EditorLifecycleTest : ::testing::Test {
  EditorLifecycleTest() {
    auto made = std::make_unique<FakeEditor>(core);
    editor = made.get();
    core.Attach(*editor);
    core.SetEditor(std::move(made));
  }
  VstToolkit::InstanceCore core{std::make_unique<QuorvelTest::TestModel>()};
  FakeEditor* editor;
};

TEST_F(EditorLifecycleTest, AMeasuredChangeResizesOutsideTheTrapUntilTheHostTellsAFactor) {
  ASSERT_TRUE(core.OpenEditor({1}));
  editor->dpi = 144.0;
  editor->dpiChanged = true;
  core.IdleEditor();
  ASSERT_TRUE(core.SetHostScaleFactor(2.0f));
  editor->dpi = 96.0;
  editor->dpiChanged = true;
  core.IdleEditor();
  editor->MeasuredDpiChanged(96.0);
  EXPECT_EQ(editor->resizes, (std::vector<Resize>{{744, 516, false}, {992, 688, false}}));
  EXPECT_EQ(core.GetEditorSize().width, 992);
}

TEST_F(EditorLifecycleTest, AViewThatCannotBeMadeAgainClosesTheEditorWithoutAResize) {
  ASSERT_TRUE(core.OpenEditor({1}));
  editor->makeFails = true;
  editor->MeasuredDpiChanged(192.0);
  EXPECT_FALSE(core.IsEditorOpen());
  EXPECT_FALSE(editor->connected);
  EXPECT_TRUE(editor->resizes.empty());
}

}  // namespace
