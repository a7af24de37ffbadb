// Drives the built module exactly as a host does: through its exported entry
// point and the AEffect record, and nothing else.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tests/support/BuiltModule.h"
#include "tests/support/RecordingHost.h"

namespace {

using QuorvelTest::RecordingHost;

constexpr VstInt32 kExpectedFlags = 0x30 | (QUORVEL_MODULE_HAS_EDITOR ? effFlagsHasEditor : 0);

VstPluginMainProc EntryOf(const QuorvelHost::ModuleLibrary* module, const char* name) {
  return module != nullptr ? module->FindEntry(name) : nullptr;
}

const QuorvelHost::ModuleLibrary* Module() {
  return QuorvelTest::BuiltModule();
}

// One instance, opened and switched on the way hosts do, closed at the end.
class Plugin {
 public:
  explicit Plugin(audioMasterCallback callback = &RecordingHost::Callback)
      : effect(EntryOf(Module(), "VSTPluginMain")(callback)) {}
  ~Plugin() {
    if (effect != nullptr) Dispatch(effClose);
  }
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
  }
  std::string Text(VstInt32 opcode, VstInt32 index = 0) {
    char buffer[128];
    std::memset(buffer, 'x', sizeof(buffer));
    Dispatch(opcode, index, 0, buffer);
    return std::string(buffer, strnlen(buffer, sizeof(buffer)));
  }
  std::vector<unsigned char> Chunk(bool program) {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + size);
  }
  VstIntPtr Load(std::vector<unsigned char> chunk, bool program) {
    return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(chunk.size()), chunk.data());
  }
  void Set(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
  float Get(VstInt32 index) { return effect->getParameter(effect, index); }

  AEffect* effect;
};

// Stereo buffers for one block.
struct Block {
  explicit Block(int frames) : inL(frames), inR(frames), outL(frames, 9.0f), outR(frames, 9.0f) {}
  void Run(AEffect* effect) {
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(inL.size()));
  }
  std::vector<float> inL, inR, outL, outR;
};

TEST(ModuleEntry, BothExportedNamesLeadToOneEntryThatAsksTheHostVersionFirst) {
  ASSERT_NE(Module(), nullptr) << QUORVEL_MODULE_PATH;
  ASSERT_NE(EntryOf(Module(), "VSTPluginMain"), nullptr);
  EXPECT_EQ(EntryOf(Module(), "main"), EntryOf(Module(), "VSTPluginMain"));

  RecordingHost host;
  AEffect* effect = EntryOf(Module(), "main")(&RecordingHost::Callback);
  ASSERT_NE(effect, nullptr);
  ASSERT_FALSE(host.calls.empty());
  EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
  EXPECT_EQ(host.calls[0].effect, nullptr);
  EXPECT_EQ(host.calls[0].index, 0);
  EXPECT_EQ(host.calls[0].value, 0);
  EXPECT_EQ(host.calls[0].ptr, nullptr);
  EXPECT_EQ(host.calls.size(), 1u);

  EXPECT_EQ(effect->magic, kEffectMagic);
  EXPECT_EQ(effect->uniqueID, 0x51446C79);  // 'QDly'
  EXPECT_EQ(effect->numInputs, 2);
  EXPECT_EQ(effect->numOutputs, 2);
  EXPECT_EQ(effect->numParams, 12);
  EXPECT_EQ(effect->numPrograms, 32);
  EXPECT_EQ(effect->flags, kExpectedFlags);
  EXPECT_EQ(effect->version, 1);
  EXPECT_EQ(effect->initialDelay, 0);
  EXPECT_NE(effect->object, nullptr);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(ModuleEntry, NoInstanceForAHostOfVersionZeroOrWithoutACallback) {
  RecordingHost host;
  host.version = 0;
  EXPECT_EQ(EntryOf(Module(), "VSTPluginMain")(&RecordingHost::Callback), nullptr);
  EXPECT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(EntryOf(Module(), "VSTPluginMain")(nullptr), nullptr);
}

TEST(ModuleEntry, EveryCallMakesAnIndependentInstance) {
  RecordingHost host;
  Plugin first, second;
  ASSERT_NE(first.effect, nullptr);
  ASSERT_NE(second.effect, nullptr);
  EXPECT_NE(first.effect, second.effect);
  EXPECT_NE(first.effect->object, second.effect->object);
  first.Set(6, 0.75f);
  first.Dispatch(effSetProgram, 0, 4);
  EXPECT_EQ(second.Get(6), 0.0f);
  EXPECT_EQ(second.Dispatch(effGetProgram), 0);
}

TEST(ModuleIdentity, NamesVersionsCategoryAndCapabilities) {
  RecordingHost host;
  Plugin plugin;
  char name[64];
  std::memset(name, 'x', sizeof(name));
  EXPECT_EQ(plugin.Dispatch(effGetEffectName, 0, 0, name), 1);
  EXPECT_STREQ(name, "Quorvel Delay");
  for (int i = 13; i < 32; ++i) EXPECT_EQ(name[i], 0) << i;  // zero bytes up to the 32nd
  EXPECT_EQ(name[32], 'x');
  char vendor[80];
  std::memset(vendor, 'x', sizeof(vendor));
  EXPECT_EQ(plugin.Dispatch(effGetVendorString, 0, 0, vendor), 1);
  EXPECT_STREQ(vendor, "Quorvel Sound Design");
  for (int i = 20; i < 64; ++i) EXPECT_EQ(vendor[i], 0) << i;
  EXPECT_EQ(vendor[64], 'x');
  EXPECT_EQ(plugin.Text(effGetProductString), "Quorvel Delay");
  EXPECT_EQ(plugin.Dispatch(effGetVendorVersion), 2700);
  EXPECT_EQ(plugin.Dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(plugin.Dispatch(effGetPlugCategory), kPlugCategEffect);
  EXPECT_EQ(plugin.Dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(plugin.Dispatch(effGetTailSize), 0);

  char receive[] = "receiveVstMidiEvent", time[] = "receiveVstTimeInfo", bypass[] = "bypass",
       lower[] = "receivevsttimeinfo", empty[] = "";
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, receive), 1);
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, time), 1);
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, bypass), -1);
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, lower), -1);
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, empty), -1);

  if (!QUORVEL_MODULE_HAS_EDITOR) {
    ERect* rect = reinterpret_cast<ERect*>(&name);
    EXPECT_EQ(plugin.Dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(&name));
    EXPECT_EQ(plugin.Dispatch(effEditOpen, 0, 0, name), 0);
  }
}

TEST(ModuleParameters, NamesLabelsAndDisplaysInTheirEightByteFields) {
  RecordingHost host;
  Plugin plugin;
  EXPECT_EQ(plugin.Text(effGetParamName, 1), "LDT");
  EXPECT_EQ(plugin.Text(effGetParamLabel, 1), "Secs");
  EXPECT_EQ(plugin.Text(effGetParamDisplay, 1), "1.00");  // default 1.0, shown as v x v seconds
  EXPECT_EQ(plugin.Text(effGetParamName, 11), "Mix");
  EXPECT_EQ(plugin.Text(effGetParamDisplay, 11), "0");       // -100 - trunc(0.5 x -200) = 0
  EXPECT_EQ(plugin.Text(effGetParamDisplay, 8), "2515.00");  // 0.25 x 9980 + 20
  char field[16];
  std::memset(field, 'x', sizeof(field));
  plugin.Dispatch(effGetParamName, 0, 0, field);
  EXPECT_STREQ(field, "On");
  for (int i = 2; i < 8; ++i) EXPECT_EQ(field[i], 0) << i;
  EXPECT_EQ(field[8], 'x');

  plugin.Set(2, 0.5f);
  EXPECT_EQ(plugin.Get(2), 0.5f);
  EXPECT_EQ(plugin.Text(effGetParamDisplay, 2), "0.25");  // 0.5 x 0.5
  plugin.Set(11, 0.6f);
  EXPECT_EQ(plugin.Text(effGetParamDisplay, 11), "+20");
  EXPECT_EQ(plugin.Dispatch(effCanBeAutomated, 5), 1);

  plugin.Set(12, 0.5f);
  plugin.Set(-1, 0.5f);
  EXPECT_EQ(plugin.Get(12), 0.0f);
  EXPECT_EQ(plugin.Get(-1), 0.0f);
  EXPECT_EQ(plugin.Text(effGetParamName, 12), "");
  EXPECT_EQ(plugin.Text(effGetParamDisplay, -3), "");
  EXPECT_TRUE(host.CallsOf(audioMasterAutomate).empty());  // host changes are not echoed
}

TEST(ModulePrograms, SelectionAndNames) {
  RecordingHost host;
  Plugin plugin;
  EXPECT_EQ(plugin.Text(effGetProgramName), "Blank");
  plugin.Dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(plugin.Dispatch(effGetProgram), 5);
  char name[] = "Long Tail Ping Pong Echo Chamber";  // 32 characters
  plugin.Dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(plugin.Text(effGetProgramName), "Long Tail Ping Pong Ech");  // 23 kept
  plugin.Set(6, 0.5f);

  for (VstIntPtr ignored : {VstIntPtr{32}, VstIntPtr{-1}, VstIntPtr{1} << 40}) {
    plugin.Dispatch(effSetProgram, 0, ignored);
    EXPECT_EQ(plugin.Dispatch(effGetProgram), 5);
  }
  plugin.Dispatch(effSetProgram, 0, 31);
  EXPECT_EQ(plugin.Dispatch(effGetProgram), 31);
  EXPECT_EQ(plugin.Text(effGetProgramName), "Blank");
  EXPECT_EQ(plugin.Get(6), 0.0f);
  plugin.Dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(plugin.Get(6), 0.5f);
  EXPECT_EQ(plugin.Text(effGetProgramName), "Long Tail Ping Pong Ech");
}

TEST(ModulePrograms, IndexedNamesOfEveryProgramWithoutSelectingIt) {
  RecordingHost host;
  Plugin plugin;
  plugin.Dispatch(effSetProgram, 0, 7);
  char longName[] = "Long Tail Ping Pong Echo Chamber";  // 32 characters
  plugin.Dispatch(effSetProgramName, 0, 0, longName);
  plugin.Dispatch(effSetProgram, 0, 2);
  for (VstInt32 i = 0; i < 32; ++i) {
    char name[32];
    std::memset(name, 'x', sizeof name);
    EXPECT_EQ(plugin.Dispatch(effGetProgramNameIndexed, i, -1, name), 1) << i;
    EXPECT_EQ(std::string(name, 25), std::string(i == 7 ? "Long Tail Ping Pong Ech" : "Blank") +
                                         std::string(i == 7 ? 1 : 19, '\0') + "x");  // 24 bytes, zero-padded
  }
  EXPECT_EQ(plugin.Dispatch(effGetProgram), 2);
  char untouched[] = "untouched";
  for (VstInt32 bad : {32, -1, INT32_MIN}) {
    EXPECT_EQ(plugin.Dispatch(effGetProgramNameIndexed, bad, -1, untouched), 0);
  }
  EXPECT_STREQ(untouched, "untouched");
  EXPECT_EQ(plugin.Dispatch(effGetProgramNameIndexed, 0, -1, nullptr), 0);
}

TEST(ModuleParameters, PropertiesNameEveryParameterAndMarkSwitchesAndSelectors) {
  RecordingHost host;
  Plugin plugin;
  const auto expect = [&](VstInt32 index, const char* label, const char* shortLabel, VstInt32 flags,
                          float step) {
    VstParameterProperties expected{};  // every other byte zero
    std::strcpy(expected.label, label);
    std::strcpy(expected.shortLabel, shortLabel);
    expected.flags = flags;
    expected.stepFloat = expected.smallStepFloat = expected.largeStepFloat = step;
    VstParameterProperties properties;
    std::memset(&properties, 0x5A, sizeof properties);
    EXPECT_EQ(plugin.Dispatch(effGetParameterProperties, index, 0, &properties), 1) << index;
    EXPECT_EQ(std::memcmp(&properties, &expected, sizeof properties), 0) << index;
  };
  expect(3, "Sync", "SOn", kVstParameterIsSwitch, 0.0f);
  expect(4, "Left Sync", "LSRes", kVstParameterUsesFloatStep, 0.25f);  // 5 notes: 4 steps of 1/4
  expect(8, "Cutoff Freq", "CFreq", 0, 0.0f);
  VstParameterProperties properties{};
  for (VstInt32 bad : {12, -1, INT32_MAX}) {
    EXPECT_EQ(plugin.Dispatch(effGetParameterProperties, bad, 0, &properties), 0);
  }
  EXPECT_EQ(properties.label[0], 0);  // nothing written
  EXPECT_EQ(plugin.Dispatch(effGetParameterProperties, 0, 0, nullptr), 0);
}

TEST(ModuleChunks, ProgramAndBankChunksTravelBetweenInstances) {
  RecordingHost host;
  Plugin source;
  source.Dispatch(effSetProgram, 0, 2);
  source.Set(6, 0.5f);
  const std::vector<unsigned char> program = source.Chunk(true);
  ASSERT_EQ(program.size(), 236u);  // 164 header + 24 name + 12 x 4
  EXPECT_EQ(std::memcmp(program.data(), "Quorvel Delay", 14), 0);
  EXPECT_EQ(program[160], 0x8C);  // 2700 = 0x0A8C, little-endian
  EXPECT_EQ(program[161], 0x0A);
  const std::vector<unsigned char> bank = source.Chunk(false);
  ASSERT_EQ(bank.size(), 2480u);  // 164 + 32 x 72 + 12 map bytes

  void* first = nullptr;
  void* second = nullptr;
  source.Dispatch(effGetChunk, 1, 0, &first);
  source.Dispatch(effGetChunk, 1, 0, &second);
  EXPECT_EQ(first, second);  // one buffer, reused

  Plugin target;
  EXPECT_EQ(target.Load(program, true), 1);
  EXPECT_EQ(target.Get(6), 0.5f);
  EXPECT_EQ(target.Dispatch(effGetProgram), 0);  // a program chunk fills the selected program
  Plugin whole;
  EXPECT_EQ(whole.Load(bank, false), 1);
  whole.Dispatch(effSetProgram, 0, 2);
  EXPECT_EQ(whole.Get(6), 0.5f);

  std::vector<unsigned char> foreign = program;
  foreign[0] = 'X';
  EXPECT_EQ(target.Load(foreign, true), 0);
  std::vector<unsigned char> newer = program;
  newer[160] = 0x8D;  // version 2701
  EXPECT_EQ(target.Load(newer, true), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, 236, nullptr), 0);
  EXPECT_EQ(target.Dispatch(effSetChunk, 1, -236, const_cast<unsigned char*>(program.data())), 0);
  EXPECT_EQ(target.Dispatch(effGetChunk, 1, 0, nullptr), 0);
}

TEST(ModuleMidi, MainsOnAsksForMidiOnceAndLearnedControllersDriveParameters) {
  RecordingHost host;
  Plugin plugin;
  host.calls.clear();  // the entry's version request
  plugin.Dispatch(effMainsChanged, 0, 0);
  EXPECT_TRUE(host.calls.empty());
  plugin.Dispatch(effMainsChanged, 0, 1);
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterWantMidi);
  EXPECT_EQ(host.calls[0].value, 1);
  EXPECT_EQ(host.calls[0].effect, plugin.effect);

  // A bank whose MIDI map binds controller 74 to parameter 6: map entry 6 becomes 01 4A.
  std::vector<unsigned char> bank = plugin.Chunk(false);
  ASSERT_EQ(bank.size(), 2480u);
  bank[2468 + 6] = 0x01;
  bank.insert(bank.begin() + 2468 + 7, 74);
  ASSERT_EQ(plugin.Load(bank, false), 1);
  EXPECT_EQ(plugin.Chunk(false), bank);

  char dump[] = {static_cast<char>(0xB0), 74, 0};  // looks like a control change if misread
  VstMidiSysexEvent sysex{};
  sysex.type = kVstSysExType;
  sysex.byteSize = sizeof(VstMidiSysexEvent) - 8;
  sysex.dumpBytes = 3;
  sysex.sysexDump = dump;
  VstMidiEvent control{};
  control.type = kVstMidiType;
  control.byteSize = sizeof(VstMidiEvent) - 8;
  control.deltaFrames = 10;
  control.midiData[0] = static_cast<char>(0xB5);  // control change, channel 6
  control.midiData[1] = 74;
  control.midiData[2] = 127;
  VstEvents events{2, 0, {reinterpret_cast<VstEvent*>(&sysex), reinterpret_cast<VstEvent*>(&control)}};
  EXPECT_EQ(plugin.Dispatch(effProcessEvents, 0, 0, &events), 1);
  EXPECT_EQ(plugin.Get(6), 0.0f);  // queued, not yet dispatched
  Block block(64);
  block.Run(plugin.effect);
  EXPECT_EQ(plugin.Get(6), 1.0f);  // 127 x (1/127) is exactly 1
  const auto automated = host.CallsOf(audioMasterAutomate);
  ASSERT_EQ(automated.size(), 1u);
  EXPECT_EQ(automated[0].index, 6);
  EXPECT_EQ(automated[0].opt, 1.0f);

  events.numEvents = -3;
  EXPECT_EQ(plugin.Dispatch(effProcessEvents, 0, 0, &events), 1);
  EXPECT_EQ(plugin.Dispatch(effProcessEvents, 0, 0, nullptr), 0);
}

TEST(ModuleAudio, TimeInfoIsRequestedEveryBlockWithTheMask) {
  RecordingHost host;
  Plugin plugin;
  Block block(32);
  block.Run(plugin.effect);
  block.Run(plugin.effect);
  const auto requests = host.CallsOf(audioMasterGetTime);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].value, 0x2602);
  EXPECT_EQ(requests[0].effect, plugin.effect);
}

TEST(ModuleAudio, WithoutTimeInfoTheDelayRunsAndTheFirstBlockIsHalfDry) {
  RecordingHost host;  // answers no time information at all
  Plugin plugin;
  plugin.Set(2, 1.0f);  // right delay 1 s too, so both sides glide alike
  Block block(64);
  for (int i = 0; i < 64; ++i) {
    block.inL[static_cast<size_t>(i)] = 0.01f * static_cast<float>(i + 1);
    block.inR[static_cast<size_t>(i)] = -0.02f * static_cast<float>(i + 1);
  }
  block.Run(plugin.effect);
  // Mix 0.5: dry 0.5, wet 0.5. Both delays glide up from 0 toward 44100 samples,
  // about 4.4 samples per frame (44100 x (1 - e^-0.0001)), faster than the writes,
  // so every tap of the first block reads an empty line: the output is exactly
  // half the input.
  for (size_t i = 0; i < 64; ++i) {
    EXPECT_EQ(block.outL[i], 0.5f * block.inL[i]) << i;
    EXPECT_EQ(block.outR[i], 0.5f * block.inR[i]) << i;
  }
}

// Runs enough silence for both delay glides to settle (20 time constants of
// 10000 frames), then sends a unit impulse and returns one channel's response.
std::vector<float> ImpulseResponse(Plugin& plugin, int length, bool right) {
  Block silence(4096);
  for (int i = 0; i < 50; ++i) silence.Run(plugin.effect);
  std::vector<float> response;
  Block block(4096);
  block.inL[0] = 1.0f;
  block.inR[0] = 1.0f;
  while (static_cast<int>(response.size()) < length) {
    block.Run(plugin.effect);
    const std::vector<float>& out = right ? block.outR : block.outL;
    response.insert(response.end(), out.begin(), out.end());
    block.inL[0] = 0.0f;
    block.inR[0] = 0.0f;
  }
  return response;
}

// The dry impulse at half amplitude, then one echo at half amplitude (mix 0.5,
// feedback 0), which a fractional delay may split over two neighbouring frames.
// The single-precision glide settles up to a few dozen samples short of its
// target (beyond it when gliding down), so the echo is looked for within 40
// frames of the target.
void ExpectOneEchoAt(const std::vector<float>& response, std::size_t target) {
  ASSERT_GT(response.size(), target);
  EXPECT_NEAR(response[0], 0.5f, 1e-6f);
  double near = 0.0;
  double elsewhere = 0.0;
  for (std::size_t i = 1; i < response.size(); ++i) {
    (i + 40 >= target && i <= target + 40 ? near : elsewhere) += std::fabs(static_cast<double>(response[i]));
  }
  EXPECT_NEAR(near, 0.5, 1e-4) << "echo expected near frame " << target;
  EXPECT_LT(elsewhere, 1e-4);
}

TEST(ModuleAudio, DefaultProgramEchoesAfterOneSecondLeftAndAQuarterRight) {
  RecordingHost host;
  Plugin plugin;
  // Left Delay 1.0 -> 1.0 x 1.0 = 1 s = 44100 frames; Right Delay 0.5 -> 0.25 s = 11025 frames.
  ExpectOneEchoAt(ImpulseResponse(plugin, 44200, false), 44100);
  Plugin other;
  ExpectOneEchoAt(ImpulseResponse(other, 11100, true), 11025);
}

TEST(ModuleAudio, HostTempoDrivesSyncedDelaysWhateverTempoItReports) {
  RecordingHost host;
  VstTimeInfo info{};
  info.tempo = 120.0;
  info.flags = kVstTransportPlaying | kVstTempoValid;
  host.timeInfo = &info;
  Plugin plugin;
  plugin.Set(3, 1.0f);  // Sync on; both notes 1/8: 60 / 120 / 2 = 0.25 s = 11025 frames
  ExpectOneEchoAt(ImpulseResponse(plugin, 11100, false), 11025);

  Plugin slower;
  info.tempo = 60.0;  // 60 / 60 / 2 = 0.5 s = 22050 frames
  slower.Set(3, 1.0f);
  ExpectOneEchoAt(ImpulseResponse(slower, 22100, false), 22050);

  // Whatever tempo a host reports reaches the delay, which keeps the synced times
  // inside 0..1 s. A host that reports 0 at start-up and then its real tempo gets
  // 60 / 0 = infinity, limited to 1 s, then the note lengths.
  info.tempo = 0.0;
  Plugin starting;
  starting.Set(3, 1.0f);
  ExpectOneEchoAt(ImpulseResponse(starting, 44200, false), 44100);
  info.tempo = 120.0;
  ExpectOneEchoAt(ImpulseResponse(starting, 11100, false), 11025);
  info.tempo = std::nan("");  // never a change: the last tempo holds
  ExpectOneEchoAt(ImpulseResponse(starting, 11100, false), 11025);
  // Negative tempi are held at the longest delay; an infinite tempo gives 60 / inf = 0 s,
  // which the line plays a full second late. Both echo after 44100 frames.
  for (double tempo : {-120.0, -HUGE_VAL, HUGE_VAL}) {
    SCOPED_TRACE(tempo);
    info.tempo = tempo;
    ExpectOneEchoAt(ImpulseResponse(starting, 44200, false), 44100);
    info.tempo = 120.0;
    ExpectOneEchoAt(ImpulseResponse(starting, 11100, false), 11025);
  }
}

TEST(ModuleAudio, StoppedTransportOrDisabledEffectPassesTheInputThroughBitForBit) {
  RecordingHost host;
  VstTimeInfo info{};
  info.flags = kVstTempoValid;  // tempo known, transport not playing
  info.tempo = 100.0;
  host.timeInfo = &info;
  Plugin stopped;
  Block block(128);
  for (size_t i = 0; i < 128; ++i) {
    block.inL[i] = std::sin(0.1f * static_cast<float>(i));
    block.inR[i] = 0.3f - 0.001f * static_cast<float>(i);
  }
  block.Run(stopped.effect);
  EXPECT_EQ(block.outL, block.inL);
  EXPECT_EQ(block.outR, block.inR);

  host.timeInfo = nullptr;
  Plugin disabled;
  disabled.Set(0, 0.0f);
  EXPECT_EQ(disabled.Text(effGetParamDisplay, 0), "Bypass");
  block.outL.assign(128, 9.0f);
  block.Run(disabled.effect);
  EXPECT_EQ(block.outL, block.inL);
}

TEST(ModuleAudio, BlocksTheHostGetsWrongProcessNothingAndTheOldProcessIsInert) {
  RecordingHost host;
  Plugin plugin;
  Block block(16);
  block.inL.assign(16, 1.0f);
  float* inputs[2] = {block.inL.data(), block.inR.data()};
  float* outputs[2] = {block.outL.data(), block.outR.data()};
  plugin.effect->processReplacing(plugin.effect, inputs, outputs, 0);
  plugin.effect->processReplacing(plugin.effect, inputs, outputs, -16);
  plugin.effect->processReplacing(plugin.effect, nullptr, outputs, 16);
  plugin.effect->processReplacing(plugin.effect, inputs, nullptr, 16);
  plugin.effect->process(plugin.effect, inputs, outputs, 16);
  EXPECT_EQ(block.outL, std::vector<float>(16, 9.0f));
}

TEST(ModuleSafety, EveryOpcodeWithNullPointersAndExtremeArgumentsIsAnswered) {
  RecordingHost host;
  Plugin plugin;
  const VstInt32 indices[] = {0, -1, 12, 32, INT32_MAX, INT32_MIN};
  const VstIntPtr values[] = {0, -1, 32, INT32_MAX, VstIntPtr{1} << 40};
  for (VstInt32 opcode = -2; opcode <= 85; ++opcode) {
    if (opcode == effClose || opcode == effGetSpeakerArrangement || opcode == effSetSpeakerArrangement) {
      continue;  // close ends the instance; 42 and 69 carry pointers in their value
    }
    for (VstInt32 index : indices) {
      for (VstIntPtr value : values) {
        plugin.Dispatch(opcode, index, value, nullptr, std::nanf(""));
      }
    }
  }
  EXPECT_EQ(plugin.Dispatch(80), 0);
  EXPECT_EQ(plugin.Dispatch(-1), 0);
  EXPECT_EQ(plugin.Dispatch(effGetVstVersion), 2400);
}

TEST(ModuleHost, TakesTheScaleFactorOfTheHostsVendorCall) {
  RecordingHost host;
  Plugin plugin;
  char dpiScaling[] = "supportsViewDpiScaling";
  EXPECT_EQ(plugin.Dispatch(effCanDo, 0, 0, dpiScaling), 1);
  // effVendorSpecific (50) with index 'PreS' and value 'AeCs', the factor in the float.
  EXPECT_EQ(effVendorSpecific, 50);
  EXPECT_EQ(plugin.Dispatch(effVendorSpecific, 0x50726553, 0x41654373, nullptr, 2.0f), 1);
  EXPECT_EQ(plugin.Dispatch(effVendorSpecific, 0x50726553, 0x41654373, nullptr, std::nanf("")), 0);
  EXPECT_EQ(plugin.Dispatch(effVendorSpecific, 0x50726553, 0, nullptr, 2.0f), 0);
  EXPECT_EQ(plugin.Dispatch(effVendorSpecific, 0, 0x41654373, nullptr, 2.0f), 0);
}

TEST(ModuleLifetime, EffCloseEndsTheInstance) {
  // Natively the leak checker proves the deletion at exit; here the record answers 1.
  RecordingHost host;
  AEffect* effect = EntryOf(Module(), "VSTPluginMain")(&RecordingHost::Callback);
  ASSERT_NE(effect, nullptr);
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
}

}  // namespace
