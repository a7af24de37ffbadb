#include "tools/quorvel-host/EditorWindow.h"

namespace QuorvelHost {

std::unique_ptr<EditorWindow> EditorWindow::Create() { return nullptr; }

EditorWindow::~EditorWindow() = default;

void EditorWindow::Pump() {}

}  // namespace QuorvelHost
