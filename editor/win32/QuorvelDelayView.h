#pragma once

#include <windows.h>

#include <cstdint>

#include "delay/QuorvelDelayDescription.h"
#include "editor/QuorvelDelayLayout.h"
#include "editor/EditorFormat.h"
#include "editor/ScaledLayout.h"
#include "editor/win32/View.h"
#include "toolkit/win32/FrameStrip.h"
#include "toolkit/win32/ResourceImage.h"

namespace WindowsToolkit {
class StatusControl;
}

// The delay's editor window: the background picture with twelve parameter controls,
// two buttons stepping the note selectors, and the status line over it.
class QuorvelDelayView final : public VstToolkit::View {
 public:
  static constexpr const char* kClassName = "QuorvelDelayWindowClass";
  // The logical size, that of the 1x background.
  static constexpr int32_t kWidth = kQuorvelDelayEditorWidth;
  static constexpr int32_t kHeight = kQuorvelDelayEditorHeight;

  // What the Editor creates when it opens: CreateQuorvelDelayView.
  static QuorvelDelayView* Create(HWND parent, HINSTANCE instance, Toolkit::ScaleFactor scale,
                                  VstToolkit::EditorFormat format);
  Toolkit::ScaleFactor GetScale() const { return layout.GetScale(); }

  int OnPaint(HDC hdc) override;
  int OnDestroy() override;
  // Any thread (see View).
  void SetStatusText(const char* text) override;
  void GetTitleRect(RECT& rect) override;
  // Runs the modal About box; returns when the user closes it.
  void ShowAboutDialog() override;

 private:
  friend QuorvelDelayView* CreateQuorvelDelayView(HWND parent, HINSTANCE instance, Toolkit::ScaleFactor scale,
                                                  VstToolkit::EditorFormat format);
  explicit QuorvelDelayView(Toolkit::ScaleFactor scale) : layout(scale) {}
  // Loads the images of the scale's zoom, the footer naming `format`, and redraws them at
  // the device sizes.
  void LoadImages(HINSTANCE instance, VstToolkit::EditorFormat format);
  void LoadStrip(WindowsToolkit::ResourceImage& image, const QuorvelDelayLayout::Strip& strip, HINSTANCE instance);
  void CreateControls(HINSTANCE instance);

  const ScaledLayout layout;

  WindowsToolkit::ResourceImage backgroundImage;
  WindowsToolkit::ResourceImage knobImage;
  WindowsToolkit::FrameStrip knobStrip{&knobImage, QuorvelDelayLayout::kKnobStrip.frameCount,
                                       QuorvelDelayLayout::kKnobStrip.vertical};
  WindowsToolkit::ResourceImage switchImage;
  WindowsToolkit::FrameStrip switchStrip{&switchImage, QuorvelDelayLayout::kSwitchStrip.frameCount,
                                         QuorvelDelayLayout::kSwitchStrip.vertical};
  WindowsToolkit::ResourceImage selectorImage;
  WindowsToolkit::FrameStrip selectorStrip{&selectorImage, QuorvelDelayLayout::kSelectorStrip.frameCount,
                                           QuorvelDelayLayout::kSelectorStrip.vertical};
  WindowsToolkit::ResourceImage buttonImage;
  WindowsToolkit::FrameStrip buttonStrip{&buttonImage, QuorvelDelayLayout::kButtonStrip.frameCount,
                                         QuorvelDelayLayout::kButtonStrip.vertical};
  WindowsToolkit::StatusControl* statusControl = nullptr;  // owned by its window
};

// Creates the view as a child of the host's `parent` window, with everything in it at
// the scale factor, from the images of the module `instance`, its footer naming `format`.
// Returns null when the view's own window cannot be made; a control that cannot be made
// is left out.
QuorvelDelayView* CreateQuorvelDelayView(HWND parent, HINSTANCE instance,
                                         Toolkit::ScaleFactor scale = Toolkit::ScaleFactor(),
                                         VstToolkit::EditorFormat format = VstToolkit::EditorFormat::kVst2);
