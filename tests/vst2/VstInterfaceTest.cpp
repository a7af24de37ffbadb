#include <gtest/gtest.h>

#include "host/vst2/VstInterface.h"

// The layout itself is proven by the header's static_asserts on every target; these
// cases guard the numbers a host sends, which a typo would silently shift.
TEST(VstInterface, OpcodeNumbersMatchThePublishedInterface) {
  EXPECT_EQ(effGetChunk, 23);
  EXPECT_EQ(effProcessEvents, 25);
  EXPECT_EQ(effGetPlugCategory, 35);
  EXPECT_EQ(effGetEffectName, 45);
  EXPECT_EQ(effCanDo, 51);
  EXPECT_EQ(effGetVstVersion, 58);
  EXPECT_EQ(effGetSpeakerArrangement, 69);
  EXPECT_EQ(effSetTotalSampleToProcess, 73);
  EXPECT_EQ(effGetNumMidiOutputChannels, 79);
  EXPECT_EQ(audioMasterWantMidi, 6);
  EXPECT_EQ(audioMasterGetTime, 7);
  EXPECT_EQ(audioMasterIOChanged, 13);
  EXPECT_EQ(audioMasterBeginEdit, 43);
  EXPECT_EQ(audioMasterGetInputSpeakerArrangement, 49);
}

TEST(VstInterface, MagicReadsVstPInBigEndianCharacterOrder) {
  // 'V' 0x56, 's' 0x73, 't' 0x74, 'P' 0x50.
  EXPECT_EQ(kEffectMagic, 0x56737450);
  EXPECT_EQ(CCONST('Q', 'D', 'l', 'y'), 0x51446C79);
}
