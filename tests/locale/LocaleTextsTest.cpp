// Under a comma-decimal locale, as a Qt or GTK host sets it for itself, every face writes
// the texts it writes in "C" and reads them back.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "tests/clap/ClapFixture.h"
#include "tests/support/CommaDecimalLocale.h"
#include "tests/support/Vst2Reference.h"
#include "tests/vst3/Vst3Fixture.h"

namespace {

using QuorvelTest::CommaDecimalLocale;

constexpr int32_t kParameters = 12;
constexpr std::array<double, 4> kFractions = {0.0, 0.37, 0.8125, 1.0};
using Displays = std::array<std::array<std::string, kFractions.size()>, kParameters>;

Displays Vst2Displays() {
  auto vst2 = QuorvelTest::StartVst2();
  Displays displays;
  for (int32_t index = 0; index < kParameters; ++index) {
    for (std::size_t f = 0; f < kFractions.size(); ++f) {
      vst2->SetValue(index, static_cast<float>(kFractions[f]));
      displays[index][f] = vst2->GetText(effGetParamDisplay, index);
    }
  }
  return displays;
}

TEST(LocaleTexts, EveryFaceWritesAndReadsItsTextsUnderACommaDecimalLocale) {
  const Displays inC = Vst2Displays();
  const CommaDecimalLocale german;
  if (!german.Failure().empty()) GTEST_SKIP() << "no comma-decimal locale: " << german.Failure();

  EXPECT_EQ(Vst2Displays(), inC);

  auto vst3 = QuorvelTest::StartVst3();
  Steinberg::Vst::IEditController* controller = vst3->Controller();
  auto clap = QuorvelTest::StartClap();
  const clap_plugin_params_t& params = *clap->Params();
  for (int32_t index = 0; index < kParameters; ++index) {
    const auto id = static_cast<uint32_t>(index);
    clap_param_info_t info{};
    ASSERT_TRUE(params.get_info(&clap->Plugin(), id, &info));
    for (std::size_t f = 0; f < kFractions.size(); ++f) {
      SCOPED_TRACE(inC[index][f]);
      Steinberg::Vst::String128 shown{};
      ASSERT_EQ(controller->getParamStringByValue(id, kFractions[f], shown), Steinberg::kResultOk);
      EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(shown), inC[index][f]);
      Steinberg::Vst::ParamValue read = -1.0;
      ASSERT_EQ(controller->getParamValueByString(id, shown, read), Steinberg::kResultOk);
      Steinberg::Vst::String128 again{};
      ASSERT_EQ(controller->getParamStringByValue(id, read, again), Steinberg::kResultOk);
      EXPECT_EQ(QuorvelHost::HostedVst3::Ascii(again), inC[index][f]);

      // Choices may be plain numbers in CLAP; continuous parameters carry the VST2 value.
      const double value = info.min_value + kFractions[f] * (info.max_value - info.min_value);
      char text[64] = {};
      ASSERT_TRUE(params.value_to_text(&clap->Plugin(), id, value, text, sizeof text));
      if ((info.flags & CLAP_PARAM_IS_STEPPED) == 0) {
        EXPECT_EQ(std::string(text), inC[index][f]);
      }
      double parsed = -1.0;
      ASSERT_TRUE(params.text_to_value(&clap->Plugin(), id, text, &parsed)) << text;
      char back[64] = {};
      ASSERT_TRUE(params.value_to_text(&clap->Plugin(), id, parsed, back, sizeof back));
      EXPECT_STREQ(back, text);
    }
  }
}

}  // namespace
