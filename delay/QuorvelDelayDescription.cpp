#include "delay/QuorvelDelayDescription.h"

#include <array>
#include <cstddef>
#include <utility>

#include "delay/DelayParameterTable.h"

namespace {

template <std::size_t... kIndex>
constexpr std::array<VstToolkit::ParameterInfo, sizeof...(kIndex)> ParameterInfosOf(
    std::index_sequence<kIndex...>) {
  return {{kDelayParameterRows[kIndex].info...}};
}

// Built at compile time, so the description is complete before any code runs.
constexpr std::array<VstToolkit::ParameterInfo, DelayParameter::kCount> kParameterInfos =
    ParameterInfosOf(std::make_index_sequence<DelayParameter::kCount>{});

}  // namespace

const VstToolkit::PluginDescription kQuorvelDelayDescription = {
    "Quorvel Delay",         // effect name
    "Quorvel Sound Design",  // vendor
    "Quorvel Delay",         // product
    0x51446C79,              // unique ID 'QDly'
    2700,                    // vendor version, also the state chunks' version
    1,                       // category: effect
    32,                      // programs
    2,                       // inputs
    2,                       // outputs
    DelayParameter::kCount,
    kParameterInfos.data(),
};
