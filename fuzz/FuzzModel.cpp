#include "fuzz/FuzzModel.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "model/PluginDescription.h"

namespace QuorvelFuzz {

namespace {

const VstToolkit::PluginDescription& Description() {
  static VstToolkit::ParameterInfo parameters[FuzzModel::kParameterCount];
  static const VstToolkit::PluginDescription description = [] {
    for (int32_t i = 0; i < FuzzModel::kParameterCount; ++i) {
      parameters[i] = {"Parameter", "Param", "", static_cast<float>(i) / 11.0f};
    }
    return VstToolkit::PluginDescription{"Quorvel Delay", "Quorvel Sound Design", "Quorvel Delay", 0x51446C79,
                                         2700, 1, 32, 2, 2, FuzzModel::kParameterCount, parameters};
  }();
  return description;
}

}  // namespace

void Check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
  }
}

FuzzModel::FuzzModel() : Model(Description()) {}

void FuzzModel::RunBlock(int32_t frames) {
  const size_t length = frames > 0 ? static_cast<size_t>(frames) : 0;
  std::unique_ptr<float[]> in[2] = {std::make_unique<float[]>(length), std::make_unique<float[]>(length)};
  std::unique_ptr<float[]> out[2] = {std::make_unique<float[]>(length), std::make_unique<float[]>(length)};
  float* inputs[2] = {in[0].get(), in[1].get()};
  float* outputs[2] = {out[0].get(), out[1].get()};
  blockFrames = frames;
  position = 0;
  ProcessBlock(inputs, outputs, frames);
  Check(frames <= 0 ? position == 0 : position == frames, "the pieces do not cover the block");
}

void FuzzModel::Process(float** inputs, float** outputs, int32_t offset, int32_t count) {
  Check(offset == position, "a piece does not start where the previous one ended");
  Check(count >= 0 && count <= blockFrames - offset, "a piece reaches past the block");
  for (int32_t k = offset; k < offset + count; ++k) {
    outputs[0][k] = inputs[0][k];
    outputs[1][k] = inputs[1][k];
  }
  position = offset + count;
}

void FuzzModel::OnParameterValueChanged(int32_t index, float, float) {
  Check(index >= 0 && index < kParameterCount, "a hook got a parameter outside the table");
  ++parameterChanges;
}

void FuzzLink::OnModelParameterValueChanged(int32_t index, float value) {
  Check(index >= 0 && index < FuzzModel::kParameterCount, "MIDI set a parameter outside the table");
  Check(value >= 0.0f && value <= 1.0f, "MIDI set a value outside 0 to 1");
}

}  // namespace QuorvelFuzz
