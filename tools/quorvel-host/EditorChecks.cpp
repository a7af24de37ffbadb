#include "tools/quorvel-host/CheckGroups.h"

#include <string>

#include "tools/quorvel-host/EditorWindow.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

constexpr int kOpenings = 10;
constexpr int kLargestEditor = 8192;
constexpr char kNoDisplay[] = "no display available to this build";

const char* const kChecks[] = {"effEditGetRect before effEditOpen", "editor opened and closed repeatedly",
                               "effEditOpen twice without effEditClose", "effClose while the editor is open"};

// Hosts ask the size before they open the editor; the answer must be a sane one.
void RectFirst(Validator& validator, HostedVst2& plugin) {
  ERect* rect = nullptr;
  plugin.Dispatch(effEditGetRect, 0, 0, &rect);
  if (rect == nullptr) {
    validator.Fail(kChecks[0], "no rectangle");
    return;
  }
  int width = rect->right - rect->left;
  int height = rect->bottom - rect->top;
  validator.Report(kChecks[0], width > 0 && height > 0 && width <= kLargestEditor && height <= kLargestEditor,
                   std::to_string(width) + " x " + std::to_string(height));
}

// As hosts open an editor: the size first, then the window, then idle time.
void Open(HostedVst2& plugin, EditorWindow& window) {
  std::string ignored;
  plugin.OpenEditor(window.Handle(), 1.0, ignored);
  window.Pump();
  plugin.IdleEditor();
}

// Opened twice, closed, then opened and closed again; and last opened and the instance
// closed under it.
void Reopen(Validator& validator, std::unique_ptr<HostedVst2> plugin, EditorWindow& window) {
  for (int openings : {2, 1}) {
    for (int i = 0; i < openings; ++i) {
      Open(*plugin, window);
    }
    plugin->CloseEditor();
    window.Pump();
  }
  validator.Report(kChecks[2], true, "opened twice, closed, opened and closed again");
  Open(*plugin, window);
  plugin->Close();
  window.Pump();
  validator.Report(kChecks[3], true, "closed cleanly");
}

// One parent window serves every opening: top-level windows are slow to make under Wine,
// and the plug-in cannot tell the difference. Scales 1 and 2 by turns.
void Cycle(Validator& validator, HostedPlugin& plugin, EditorWindow& window) {
  for (int i = 0; i < kOpenings; ++i) {
    std::string error;
    if (!plugin.OpenEditor(window.Handle(), 1.0 + (i % 2), error)) {
      // Where the first opening fails the plug-in has no editor to offer this host.
      if (i == 0) {
        validator.Skip(kChecks[1], error);
      } else {
        validator.Fail(kChecks[1], "opening " + std::to_string(i + 1) + ": " + error);
      }
      return;
    }
    window.Pump();
    plugin.IdleEditor();
    // The host automates while the editor shows it.
    for (size_t p = 0; p < plugin.Parameters().size(); ++p) {
      plugin.SetValue(p, plugin.Parameters()[p].defaultValue);
    }
    window.Pump();
    plugin.IdleEditor();
    plugin.CloseEditor();
    window.Pump();
  }
  validator.Report(kChecks[1], plugin, true, std::to_string(kOpenings) + " times");
}

}  // namespace

void CheckGroups::Editor(Validator& validator) {
  std::unique_ptr<HostedPlugin> plugin = validator.New(kChecks[1]);
  std::unique_ptr<EditorWindow> window = EditorWindow::Create();
  if (plugin == nullptr) {
    return;
  }
  if (window == nullptr) {
    validator.Skip(kChecks[1], kNoDisplay);
  } else {
    Cycle(validator, *plugin, *window);
  }
}

void CheckGroups::Vst2Editor(Validator& validator) {
  std::unique_ptr<HostedVst2> plugin = validator.New<HostedVst2>(kChecks[0]);
  if (plugin == nullptr) {
    return;
  }
  const bool hasEditor = plugin->HasFlag(effFlagsHasEditor);
  std::unique_ptr<EditorWindow> window = hasEditor ? EditorWindow::Create() : nullptr;
  if (window == nullptr) {
    for (const char* check : kChecks) {
      validator.Skip(check, hasEditor ? kNoDisplay : "the module has no editor");
    }
    return;
  }
  RectFirst(validator, *plugin);
  Cycle(validator, *plugin, *window);
  Reopen(validator, std::move(plugin), *window);
}

}  // namespace QuorvelHost
