// The bundle as a host lists it: its class, its parameters, programs and MIDI mapping.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "tests/vst3/Vst3Fixture.h"

namespace QuorvelTest {
namespace {

namespace Vst = Steinberg::Vst;

// A block's output changes hold one point: `value` for `id` at `offset`.
void ExpectOneChangeTold(QuorvelHost::Vst3ParameterChanges& told, Vst::ParamID id, int32_t offset, double value) {
  ASSERT_EQ(told.getParameterCount(), 1);
  Vst::IParamValueQueue& queue = *told.getParameterData(0);
  EXPECT_EQ(queue.getParameterId(), id);
  ASSERT_EQ(queue.getPointCount(), 1);
  QuorvelHost::Vst3ParamValueQueue::Point point{};
  queue.getPoint(0, point.offset, point.value);
  EXPECT_EQ(point.offset, offset);
  EXPECT_EQ(point.value, value);
}

// Steinberg's guideline for a VST3 that replaces a VST2: 'VST', 'QDly', "quorvel d" as the
// 32 hex digits 56535451 446C7971 756F7276 656C2064 (stored as COM's GUID on Windows); the
// module's description names the same class and, as its compatibility, the VST2 plug-in.
TEST(Vst3Bundle, OneDelayClassWhoseIdComesFromTheVst2Plugin) {
  const Steinberg::FUID expected(0x56535451, 0x446C7971, 0x756F7276, 0x656C2064);
  auto* factory2 = QuorvelHost::QueryOf<Steinberg::IPluginFactory2>(Bundle().Factory());
  ASSERT_NE(factory2, nullptr);
  ASSERT_EQ(Bundle().Factory()->countClasses(), 1);
  Steinberg::PClassInfo2 info{};
  ASSERT_EQ(factory2->getClassInfo2(0, &info), Steinberg::kResultOk);
  factory2->release();
  EXPECT_TRUE(expected.Equals(info.cid));
  EXPECT_STREQ(info.category, "Audio Module Class");
  EXPECT_STREQ(info.subCategories, "Fx|Delay");
  EXPECT_STREQ(info.name, "Quorvel Delay");
  EXPECT_STREQ(info.version, "2.7.0");

  std::ifstream file(std::string(QUORVEL_VST3_BUNDLE) + "/Contents/Resources/moduleinfo.json");
  std::stringstream json;
  json << file.rdbuf();
  const std::string text = json.str();
  EXPECT_NE(text.find("\"CID\": \"56535451446C7971756F7276656C2064\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"New\": \"56535451446C7971756F7276656C2064\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"Old\": [\n        \"56535451446C7971756F7276656C2064\""), std::string::npos) << text;
}

// The twelve keep their VST2 indices as IDs, names, labels and defaults; switches step
// once, selectors n - 1 times; the program list's parameter and the hidden controllers
// follow them, and the host's bypass comes last.
TEST(Vst3Parameters, TheTwelveThenTheProgramThenHiddenControllers) {
  auto vst3 = StartVst3();
  Vst::IEditController* controller = vst3->Controller();
  ASSERT_EQ(controller->getParameterCount(), 12 + 1 + 16 * 128 + 1);
  struct Expected {
    const char* title;
    const char* shortTitle;
    const char* units;
    int32_t steps;
  };
  const Expected expected[12] = {{"Enabled", "On", "", 1},         {"Left Delay", "LDT", "Secs", 0},
                                 {"Right Delay", "RDT", "Secs", 0}, {"Sync", "SOn", "", 1},
                                 {"Left Sync", "LSRes", "", 4},    {"Right Sync", "RSRes", "", 4},
                                 {"Feedback Level", "FB", "", 0},  {"Filter", "FOn", "", 1},
                                 {"Cutoff Freq", "CFreq", "Hz", 0}, {"Filter Type", "FType", "", 1},
                                 {"Pan", "POn", "", 1},            {"Wet/Dry Mix", "Mix", "", 0}};
  for (int32_t i = 0; i < 12; ++i) {
    Vst::ParameterInfo info{};
    ASSERT_EQ(controller->getParameterInfo(i, info), Steinberg::kResultOk);
    EXPECT_EQ(info.id, static_cast<Vst::ParamID>(i));
    EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(info.title), expected[i].title);
    EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(info.shortTitle), expected[i].shortTitle);
    EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(info.units), expected[i].units);
    EXPECT_EQ(info.stepCount, expected[i].steps) << expected[i].title;
    EXPECT_NE(info.flags & Vst::ParameterInfo::kCanAutomate, 0);
    EXPECT_EQ(info.flags & Vst::ParameterInfo::kIsHidden, 0);
  }
  Vst::ParameterInfo program{};
  ASSERT_EQ(controller->getParameterInfo(12, program), Steinberg::kResultOk);
  EXPECT_EQ(program.id, kProgramId);
  EXPECT_EQ(program.stepCount, 31);
  EXPECT_NE(program.flags & Vst::ParameterInfo::kIsProgramChange, 0);
  Vst::ParameterInfo last{};
  ASSERT_EQ(controller->getParameterInfo(12 + 16 * 128, last), Steinberg::kResultOk);
  EXPECT_EQ(last.id, ControllerId(15, 127));
  EXPECT_NE(last.flags & Vst::ParameterInfo::kIsHidden, 0);
  Vst::ParameterInfo bypass{};
  ASSERT_EQ(controller->getParameterInfo(12 + 16 * 128 + 1, bypass), Steinberg::kResultOk);
  EXPECT_EQ(bypass.id, kBypassId);
  EXPECT_EQ(bypass.stepCount, 1);
  EXPECT_EQ(bypass.defaultNormalizedValue, 0.0);
  EXPECT_EQ(bypass.flags, Vst::ParameterInfo::kCanAutomate | Vst::ParameterInfo::kIsBypass);

  auto* units = QuorvelHost::QueryOf<Vst::IUnitInfo>(vst3->Controller());
  ASSERT_NE(units, nullptr);
  Vst::ProgramListInfo list{};
  ASSERT_EQ(units->getProgramListInfo(0, list), Steinberg::kResultOk);
  EXPECT_EQ(list.programCount, 32);
  Vst::String128 name{};
  EXPECT_EQ(units->getProgramName(list.id, 31, name), Steinberg::kResultOk);
  Vst::String128 shown{};
  ASSERT_EQ(controller->getParamStringByValue(kProgramId, 31 / 31.0, shown), Steinberg::kResultOk);
  EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(shown), QuorvelHost::HostedVst3::Ascii(name));
  units->release();
}

// A value is kept exactly as sent: a switch at 0.49999997 stays off, shows so, and is
// given back as sent; texts come from the core for any value and back.
TEST(Vst3Parameters, ValuesStayAsSentAndTextsGoBothWays) {
  auto vst3 = StartVst3();
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(0, 0, 0.49999997f);
  vst3->Process(nullptr, nullptr, 0, &changes, nullptr);
  Vst::IEditController* controller = vst3->Controller();
  EXPECT_EQ(controller->getParamNormalized(0), 0.49999997f);
  Vst::String128 text{};
  ASSERT_EQ(controller->getParamStringByValue(0, 0.49999997f, text), Steinberg::kResultOk);
  EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(text), "Bypass");
  ASSERT_EQ(controller->getParamStringByValue(4, 1.0, text), Steinberg::kResultOk);
  EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(text), "1/2");
  Vst::ParamValue value = -1.0;
  const Steinberg::char16 half[] = u"1/2";
  ASSERT_EQ(controller->getParamValueByString(4, const_cast<Steinberg::char16*>(half), value), Steinberg::kResultOk);
  EXPECT_EQ(value, 1.0);
}

// A list's plain value is its entry: entry p sits at p / s and owns the values from
// p / (s + 1) up to the next entry's; the entry a host computes is the choice the plug-in
// shows there. Continuous parameters and switches convert to themselves.
TEST(Vst3Parameters, ListsConvertBetweenEntriesAndNormalizedValues) {
  auto vst3 = StartVst3();
  Vst::IEditController* controller = vst3->Controller();
  const char* notes[5] = {"1/32", "1/16", "1/8", "1/4", "1/2"};
  for (int p = 0; p <= 4; ++p) {
    const Vst::ParamValue value = controller->plainParamToNormalized(4, p);  // Left Sync
    EXPECT_EQ(value, p / 4.0);
    EXPECT_EQ(controller->normalizedParamToPlain(4, value), p);
    Vst::String128 text{};
    ASSERT_EQ(controller->getParamStringByValue(4, value, text), Steinberg::kResultOk);
    EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(text), notes[p]);
  }
  EXPECT_EQ(controller->normalizedParamToPlain(5, 0.19), 0.0);  // floor(0.95)
  EXPECT_EQ(controller->normalizedParamToPlain(9, 0.5), 1.0);   // Filter Type: floor(1.0)
  EXPECT_EQ(controller->normalizedParamToPlain(kProgramId, 30.5 / 32.0), 30.0);
  EXPECT_EQ(controller->normalizedParamToPlain(6, 0.3), 0.3);  // Feedback Level
  EXPECT_EQ(controller->plainParamToNormalized(0, 0.7), 0.7);  // Enabled
}

// Every controller 0..127 on every channel of the event bus maps to its own hidden
// parameter, always; a learned controller moving a parameter is reported at its offset
// in the block's output changes, with the value the VST2 module automates.
TEST(Vst3Parameters, ControllersMapToHiddenParametersAndLearnedMovesAreReported) {
  auto vst3 = StartVst3();
  auto* mapping = QuorvelHost::QueryOf<Vst::IMidiMapping>(vst3->Controller());
  ASSERT_NE(mapping, nullptr);
  for (Steinberg::int16 channel = 0; channel < 16; ++channel) {
    for (Vst::CtrlNumber cc = 0; cc < 128; ++cc) {
      Vst::ParamID id = 0;
      ASSERT_EQ(mapping->getMidiControllerAssignment(0, channel, cc, id), Steinberg::kResultTrue);
      ASSERT_EQ(id, ControllerId(channel, cc));
    }
  }
  Vst::ParamID id = 0;
  EXPECT_EQ(mapping->getMidiControllerAssignment(1, 0, 7, id), Steinberg::kResultFalse);
  EXPECT_EQ(mapping->getMidiControllerAssignment(0, 0, 128, id), Steinberg::kResultFalse);
  mapping->release();

  ASSERT_TRUE(vst3->LoadState(LearnedVst2Bank()));
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(ControllerId(3, 74), 100, 64 / 127.0);
  StereoBlock input(256);
  StereoBlock output(256);
  vst3->Process(input.Channels(), output.Channels(), 256, &changes, nullptr);
  ExpectOneChangeTold(vst3->OutputChanges(), 6, 100, 64 * (1.0f / 127.0f));
  EXPECT_EQ(vst3->Controller()->getParamNormalized(6), 64 * (1.0f / 127.0f));
}

// A program change in a block is told in that block's output changes, at its offset: the
// new value of every parameter it moved (Enabled's as the bypass's too), but for those
// the host set beside it; no editor is open.
TEST(Vst3Parameters, AProgramChangeInABlockReportsWhatItMoved) {
  auto vst3 = StartVst3();
  Vst::IEditController* controller = vst3->Controller();
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(kProgramId, 0, 5 / 31.0);
  changes.Add(0, 0, 0.0);   // Enabled off
  changes.Add(6, 0, 0.3);   // Feedback Level
  changes.Add(11, 0, 0.9);  // Wet/Dry Mix
  vst3->Process(nullptr, nullptr, 0, &changes, nullptr);
  changes.Clear();
  double before[12];
  for (int i = 0; i < 12; ++i) before[i] = controller->getParamNormalized(static_cast<Vst::ParamID>(i));

  changes.Add(kProgramId, 100, 0.0);
  changes.Add(11, 100, 0.2);  // set by the host itself: not told back
  StereoBlock input(256);
  StereoBlock output(256);
  vst3->Process(input.Channels(), output.Channels(), 256, &changes, nullptr);
  QuorvelHost::Vst3ParameterChanges& reported = vst3->OutputChanges();
  std::map<Vst::ParamID, QuorvelHost::Vst3ParamValueQueue::Point> told;
  for (Steinberg::int32 q = 0; q < reported.getParameterCount(); ++q) {
    Vst::IParamValueQueue& queue = *reported.getParameterData(q);
    ASSERT_EQ(queue.getPointCount(), 1);
    QuorvelHost::Vst3ParamValueQueue::Point& point = told[queue.getParameterId()];
    queue.getPoint(0, point.offset, point.value);
  }
  std::map<Vst::ParamID, double> moved;
  for (int i = 0; i < 11; ++i) {  // all but the mix, which the host set
    const double now = controller->getParamNormalized(static_cast<Vst::ParamID>(i));
    if (now != before[i]) moved[static_cast<Vst::ParamID>(i)] = now;
  }
  ASSERT_EQ(moved.size(), 2u);  // Enabled and Feedback Level back to program 0's
  moved[kBypassId] = 0.0;
  ASSERT_EQ(told.size(), moved.size());
  for (const auto& [id, value] : moved) {
    ASSERT_EQ(told.count(id), 1u) << id;
    EXPECT_EQ(told[id].offset, 100);
    EXPECT_EQ(told[id].value, value) << id;
  }
}

// The bypass is Enabled seen from the host: bypassing at frame k sounds bit for bit as
// Enabled off at k, shows as Enabled off and is told as such in the block's output
// changes; Enabled's changes show in it; the state is the one Enabled gives.
TEST(Vst3Parameters, TheBypassIsEnabledInverted) {
  auto bypassed = StartVst3();
  auto disabled = StartVst3();
  std::mt19937 random(3);
  StereoBlock input(512);
  input.FillWithNoise(random);
  QuorvelHost::Vst3ParameterChanges changes;
  changes.Add(kBypassId, 300, 1.0);
  StereoBlock in1 = input;
  StereoBlock out1(512);
  bypassed->Process(in1.Channels(), out1.Channels(), 512, &changes, nullptr);
  ExpectOneChangeTold(bypassed->OutputChanges(), 0, 300, 0.0);
  changes.Clear();
  changes.Add(0, 300, 0.0);
  StereoBlock in2 = input;
  StereoBlock out2(512);
  disabled->Process(in2.Channels(), out2.Channels(), 512, &changes, nullptr);
  EXPECT_TRUE(out1 == out2);
  ExpectOneChangeTold(disabled->OutputChanges(), kBypassId, 300, 1.0);  // for the host's Enabled
  EXPECT_EQ(disabled->Controller()->getParamNormalized(kBypassId), 1.0);
  EXPECT_EQ(bypassed->Controller()->getParamNormalized(0), 0.0);
  EXPECT_EQ(bypassed->GetState(false), disabled->GetState(false));
  bypassed->Deactivate();
  EXPECT_EQ(bypassed->Controller()->setParamNormalized(kBypassId, 0.0), Steinberg::kResultOk);
  EXPECT_EQ(bypassed->Controller()->getParamNormalized(0), 1.0);
  EXPECT_EQ(bypassed->Controller()->getParamNormalized(kBypassId), 0.0);
}

}  // namespace
}  // namespace QuorvelTest
