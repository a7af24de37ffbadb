#pragma once

#include <cstdint>

#include "delay/DelayParameterTable.h"
#include "editor/EditorFormat.h"
#include "toolkit/core/Geometry.h"
#include "toolkit/core/Area.h"

// The delay editor's face, the same on every platform: which control sits where,
// what it defaults to, which image it draws from, and the About box. Every place and
// size is in the view's client pixels and lives here or in ToolkitCore's geometry.
namespace QuorvelDelayLayout {

// The editor's images, in the order the view loads them. On Windows they are PNG
// resources under these ids; the Linux module carries the same files in its code.
// The format pictures are patches of the background's footer (kFormatNameArea) naming
// another format than the background's own "VST 2.4".
enum class Picture : int {
  kBackground = 113,
  kKnob = 114,
  kSwitch = 115,
  kButton = 116,
  kSelector = 117,
  kFormatVst3 = 118,
  kFormatClap = 119,
  kFormatLv2 = 120
};

struct Strip {
  Picture picture;
  uint32_t frameCount;
  bool vertical;
};
constexpr Strip kKnobStrip{Picture::kKnob, 91, true};
constexpr Strip kSwitchStrip{Picture::kSwitch, 2, true};
constexpr Strip kSelectorStrip{Picture::kSelector, 5, false};
constexpr Strip kButtonStrip{Picture::kButton, 2, true};

enum class ControlKind { kKnob, kSwitch, kSelector };

struct ControlPlacement {
  ControlKind kind;
  int32_t parameter;
  int32_t x;
  int32_t y;
  float defaultValue;  // applied at creation and by Ctrl+click
};

constexpr float DefaultOf(int32_t parameter) {
  return kDelayParameterRows[parameter].info.defaultValue;
}

// In creation order. The positions match the labels on the background picture.
constexpr ControlPlacement kPlacements[] = {
    {ControlKind::kSwitch, DelayParameter::kEnabled, 343, 229, DefaultOf(DelayParameter::kEnabled)},
    {ControlKind::kKnob, DelayParameter::kLeftDelay, 65, 139, DefaultOf(DelayParameter::kLeftDelay)},
    // Ctrl+click turns sync on, although new programs start with it off.
    {ControlKind::kSwitch, DelayParameter::kSync, 79, 229, 0.5f},
    {ControlKind::kKnob, DelayParameter::kRightDelay, 123, 139, DefaultOf(DelayParameter::kRightDelay)},
    {ControlKind::kSelector, DelayParameter::kLeftSync, 144, 221, DefaultOf(DelayParameter::kLeftSync)},
    {ControlKind::kSelector, DelayParameter::kRightSync, 144, 256, DefaultOf(DelayParameter::kRightSync)},
    {ControlKind::kKnob, DelayParameter::kFeedback, 179, 139, DefaultOf(DelayParameter::kFeedback)},
    {ControlKind::kSwitch, DelayParameter::kFilter, 343, 109, DefaultOf(DelayParameter::kFilter)},
    {ControlKind::kKnob, DelayParameter::kCutoff, 390, 139, DefaultOf(DelayParameter::kCutoff)},
    {ControlKind::kSwitch, DelayParameter::kFilterType, 343, 148, DefaultOf(DelayParameter::kFilterType)},
    {ControlKind::kSwitch, DelayParameter::kPan, 266, 125, DefaultOf(DelayParameter::kPan)},
    {ControlKind::kKnob, DelayParameter::kMix, 390, 241, DefaultOf(DelayParameter::kMix)},
};

constexpr const Strip& StripOf(ControlKind kind) {
  return kind == ControlKind::kKnob ? kKnobStrip : kind == ControlKind::kSwitch ? kSwitchStrip : kSelectorStrip;
}

// Each button sits just left of the selector it steps, a little below its top.
struct ButtonPlacement {
  int32_t top;
  int32_t stepped;  // the parameter whose control it steps
};
constexpr ButtonPlacement kButtons[] = {{227, DelayParameter::kLeftSync}, {262, DelayParameter::kRightSync}};

// Where the footer names the plug-in format, in the background's 1x pixels.
constexpr ToolkitCore::Area kFormatNameArea{108, 320, 164, 336};

// The patch the background takes for `format`'s name, as each platform's view lays it
// into the background before scaling it; none for VST2, whose name the background has.
constexpr bool HasFormatPicture(VstToolkit::EditorFormat format) {
  return format != VstToolkit::EditorFormat::kVst2;
}
constexpr Picture FormatPictureOf(VstToolkit::EditorFormat format) {
  return format == VstToolkit::EditorFormat::kVst3   ? Picture::kFormatVst3
         : format == VstToolkit::EditorFormat::kClap ? Picture::kFormatClap
                                                     : Picture::kFormatLv2;
}

// A left click here opens the editor menu.
constexpr ToolkitCore::Area kTitleArea{30, 32, 296, 70};

// The About box: its picture fills it, two buttons lie on it near the bottom.
constexpr const char* kAboutCaption = "About Quorvel Delay";
constexpr int32_t kAboutWidth = 440;
constexpr int32_t kAboutHeight = 449;
constexpr const char* kWebButtonText = "Visit Website";
constexpr const char* kOkButtonText = "OK";
constexpr ToolkitCore::Area kWebButtonArea{78, 364, 78 + 75, 364 + 23};
constexpr ToolkitCore::Area kOkButtonArea{275, 364, 275 + 75, 364 + 23};
constexpr const char* kWebPage = "https://quorvel.example/delay";

}  // namespace QuorvelDelayLayout
