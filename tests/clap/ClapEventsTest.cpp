// What a CLAP host reads of the plug-in and hears back from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "tests/clap/ClapFixture.h"

namespace QuorvelTest {
namespace {

// The descriptor, the ports, the parameters with the VST2 module's names and texts,
// latency and tail, as a host lists them.
TEST(ClapEvents, DescribesThePluginAsTheVst2ModuleDoes) {
  auto clap = StartClap();
  ASSERT_NE(clap, nullptr);
  const clap_plugin_descriptor_t* descriptor = clap->Descriptor();
  ASSERT_NE(descriptor, nullptr);
  EXPECT_STREQ(descriptor->id, "com.quorvel.delay");
  EXPECT_STREQ(descriptor->vendor, "Quorvel Sound Design");
  std::string features;
  for (const char* const* feature = descriptor->features; *feature != nullptr; ++feature) {
    features += std::string(*feature) + " ";
  }
  EXPECT_EQ(features, "audio-effect delay stereo ");

  auto vst2 = StartVst2();
  const auto* audio = static_cast<const clap_plugin_audio_ports_t*>(clap->Extension(CLAP_EXT_AUDIO_PORTS));
  const auto* notes = static_cast<const clap_plugin_note_ports_t*>(clap->Extension(CLAP_EXT_NOTE_PORTS));
  const auto* latency = static_cast<const clap_plugin_latency_t*>(clap->Extension(CLAP_EXT_LATENCY));
  ASSERT_TRUE(audio != nullptr && notes != nullptr && latency != nullptr);
  for (const bool input : {true, false}) {
    clap_audio_port_info_t port{};
    ASSERT_EQ(audio->count(&clap->Plugin(), input), 1u);
    ASSERT_TRUE(audio->get(&clap->Plugin(), 0, input, &port));
    EXPECT_EQ(port.channel_count, 2u);
    EXPECT_STREQ(port.port_type, CLAP_PORT_STEREO);
    EXPECT_EQ(port.in_place_pair, 0u);
    EXPECT_EQ(port.flags & CLAP_AUDIO_PORT_SUPPORTS_64BITS, 0u);
  }
  clap_note_port_info_t note{};
  EXPECT_EQ(notes->count(&clap->Plugin(), false), 0u);
  ASSERT_EQ(notes->count(&clap->Plugin(), true), 1u);
  ASSERT_TRUE(notes->get(&clap->Plugin(), 0, true, &note));
  EXPECT_EQ(note.supported_dialects, uint32_t{CLAP_NOTE_DIALECT_MIDI});
  EXPECT_EQ(latency->get(&clap->Plugin()), 0u);

  // The parameter table's choices: the four switches, Left and Right Sync's five note
  // values and Filter Type's two; the rest continuous.
  const int32_t choices[12] = {2, 0, 0, 2, 5, 5, 0, 2, 0, 2, 2, 0};
  const clap_plugin_params_t& params = *clap->Params();
  ASSERT_EQ(params.count(&clap->Plugin()), 13u);  // and the bypass
  for (uint32_t index = 0; index < 12; ++index) {
    const int32_t n = choices[index];
    const double count = n;
    clap_param_info_t info{};
    ASSERT_TRUE(params.get_info(&clap->Plugin(), index, &info));
    EXPECT_EQ(info.id, index);
    EXPECT_EQ(info.min_value, 0.0);
    EXPECT_EQ(info.max_value, n > 0 ? count - 1.0 : 1.0);
    EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, n > 0) << index;
    EXPECT_EQ((info.flags & CLAP_PARAM_IS_ENUM) != 0, n > 2 || index == 9) << index;
    // A choice k of n is the VST2 value k / (n - 1): the default (and any value) shows as
    // its choice, trunc(n x value) held to the range.
    const float vst2Default = vst2->GetParameter(static_cast<int32_t>(index));
    const double plainDefault = n == 0 ? vst2Default : std::min(std::floor(count * vst2Default), count - 1.0);
    EXPECT_EQ(info.default_value, plainDefault) << index;
    // Any value's text is the VST2 module's display of it, and reads back to that value.
    const float value = 0.37f;
    vst2->SetValue(static_cast<int32_t>(index), value);
    const double plain = n == 0 ? value : std::floor(count * value);
    char text[64] = {};
    ASSERT_TRUE(params.value_to_text(&clap->Plugin(), index, plain, text, sizeof text));
    EXPECT_EQ(std::string(text), vst2->GetText(effGetParamDisplay, static_cast<int32_t>(index)));
    double parsed = -1.0;
    if (params.text_to_value(&clap->Plugin(), index, text, &parsed)) {
      char again[64] = {};
      params.value_to_text(&clap->Plugin(), index, parsed, again, sizeof again);
      EXPECT_STREQ(again, text);
    }
    if (n > 0) {
      EXPECT_EQ(parsed, plain) << index;
      // A choice's number reads as itself; one past the last is none.
      EXPECT_TRUE(params.text_to_value(&clap->Plugin(), index, "1", &parsed));
      EXPECT_EQ(parsed, 1.0);
      EXPECT_FALSE(params.text_to_value(&clap->Plugin(), index, std::to_string(n).c_str(), &parsed));
    }
  }
  clap_param_info_t beyond{};
  EXPECT_FALSE(params.get_info(&clap->Plugin(), 13, &beyond));
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// A learned controller moves its parameter at its frame: the host hears a value event at
// that frame with the value the plug-in now has.
TEST(ClapEvents, LearnedControllerIsReportedAtItsFrame) {
  auto clap = StartClap();
  ASSERT_TRUE(clap->SetState(LearnedVst2Bank(), false));
  QuorvelHost::ClapEventList events;
  events.AddMidi(100, 0xB0, 74, 127);  // Feedback Level
  events.AddMidi(300, 0xB3, 21, 0);    // Mix
  StereoBlock block(512);
  clap->OutputEvents().Clear();
  clap->Process(block.Channels(), block.Channels(), 512, &events, nullptr);
  const QuorvelHost::ClapEventList& out = clap->OutputEvents();
  ASSERT_EQ(out.Size(), 2u);
  const clap_id ids[] = {6, 11};
  const uint32_t times[] = {100, 300};
  for (uint32_t i = 0; i < 2; ++i) {
    const auto* event = reinterpret_cast<const clap_event_param_value_t*>(out.At(i));
    ASSERT_EQ(event->header.type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(event->header.time, times[i]);
    EXPECT_EQ(event->param_id, ids[i]);
    EXPECT_EQ(event->value, clap->ParameterValue(ids[i]));
  }
  EXPECT_EQ(clap->ParameterValue(6), 1.0);
  EXPECT_EQ(clap->ParameterValue(11), 0.0);
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// A selector's choice k of n travels as k: the model gets k / (n - 1) (the state is the
// VST2 module's with that value), get_value answers in choices, and a value between
// choices takes the nearest.
TEST(ClapEvents, ChoicesTravelAsTheirNumbers) {
  auto clap = StartClap();
  auto vst2 = StartVst2();
  QuorvelHost::ClapEventList events;
  events.AddParameter(0, 4, 3.0);  // Left Sync: 1/4
  events.AddParameter(0, 5, 2.6);  // Right Sync: nearest is 1/4 too
  events.AddParameter(0, 9, 1.0);  // Filter Type: High
  clap->Flush(&events);
  vst2->SetValue(4, 0.75f);
  vst2->SetValue(5, 0.75f);
  vst2->SetValue(9, 1.0f);
  std::vector<uint8_t> expected = vst2->GetState(false);
  expected.insert(expected.end(), {0, 0, 0, 0});
  EXPECT_EQ(clap->GetState(false), expected);
  EXPECT_EQ(clap->ParameterValue(4), 3.0);
  EXPECT_EQ(clap->ParameterValue(5), 3.0);
  EXPECT_EQ(clap->ParameterValue(9), 1.0);

  EXPECT_TRUE(clap->Host().Violations().empty());
}

}  // namespace
}  // namespace QuorvelTest
