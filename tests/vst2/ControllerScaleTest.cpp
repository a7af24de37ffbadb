#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "host/vst2/Controller.h"
#include "tests/vst2/TestModel.h"
#include "tests/support/RecordingHost.h"

namespace {

using QuorvelTest::RecordingHost;
using VstToolkit::Controller;

constexpr VstInt32 kPreS = 0x50726553;   // 'P' 'r' 'e' 'S'
constexpr VstIntPtr kAeCs = 0x41654373;  // 'A' 'e' 'C' 's'

class CountingEditor final : public VstToolkit::InstanceEditor {
 public:
  explicit CountingEditor(int* counter) : changes(counter) {}
  bool Open(VstToolkit::NativeWindow) override { return false; }
  void Close() override {}
  bool IsOpen() const override { return false; }
  VstToolkit::EditorSize GetSize() override { return {}; }
  void HostScaleFactorChanged() override { ++*changes; }
  void Idle() override {}

 private:
  int* changes;
};

struct Instance {
  explicit Instance(audioMasterCallback callback = &RecordingHost::Callback)
      : controller(new Controller(callback, std::make_unique<QuorvelTest::TestModel>())),
        record(controller->getAeffect()) {}
  ~Instance() { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }
  VstIntPtr Vendor(VstInt32 index, VstIntPtr value, float factor) {
    return record->dispatcher(record, effVendorSpecific, index, value, nullptr, factor);
  }
  Controller* controller;
  AEffect* record;
};

TEST(ControllerScale, TheHostsVendorCallSetsTheFactorAndTellsTheEditorOfEachChange) {
  RecordingHost host;
  Instance instance;
  EXPECT_EQ(instance.controller->Core().GetHostScaleFactor(), 0.0f);
  int changes = 0;
  instance.controller->Core().SetEditor(std::make_unique<CountingEditor>(&changes));

  EXPECT_EQ(instance.Vendor(kPreS, kAeCs, 1.5f), 1);
  EXPECT_EQ(instance.controller->Core().GetHostScaleFactor(), 1.5f);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(instance.Vendor(kPreS, kAeCs, 1.5f), 1);  // the same again: nothing to rebuild
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(instance.Vendor(kPreS, kAeCs, 2.0f), 1);
  EXPECT_EQ(changes, 2);

  // No factor at all, or another vendor's call, is refused and changes nothing.
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  for (float refused : {0.0f, -2.0f, nan, inf}) {
    EXPECT_EQ(instance.Vendor(kPreS, kAeCs, refused), 0) << refused;
  }
  EXPECT_EQ(instance.Vendor(kPreS, 0, 3.0f), 0);
  EXPECT_EQ(instance.Vendor(kPreS, kAeCs + (VstIntPtr{1} << 32), 3.0f), 0);
  EXPECT_EQ(instance.controller->Core().GetHostScaleFactor(), 2.0f);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(host.calls.empty());

  // Without an editor the factor is kept for the one that comes.
  instance.controller->Core().SetEditor(nullptr);
  EXPECT_EQ(instance.Vendor(kPreS, kAeCs, 1.25f), 1);
  EXPECT_EQ(instance.controller->Core().GetHostScaleFactor(), 1.25f);
}

VstIntPtr ResizingHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) {
  RecordingHost::Callback(effect, opcode, index, value, ptr, opt);
  return opcode == audioMasterSizeWindow && index <= 800 ? 1 : 0;
}

TEST(ControllerScale, SizeWindowAsksTheHostWithTheWidthAsIndexAndTheHeightAsValue) {
  RecordingHost host;
  Instance instance(&ResizingHost);
  EXPECT_TRUE(instance.controller->sizeWindow(744, 516));
  EXPECT_FALSE(instance.controller->sizeWindow(992, 688));  // this host refuses
  const std::vector<RecordingHost::Call> calls = host.CallsOf(audioMasterSizeWindow);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(audioMasterSizeWindow, 15);
  EXPECT_EQ(calls[0].effect, instance.record);
  EXPECT_EQ((std::vector<VstIntPtr>{calls[0].index, calls[0].value, calls[1].index, calls[1].value}),
            (std::vector<VstIntPtr>{744, 516, 992, 688}));
}

}  // namespace
