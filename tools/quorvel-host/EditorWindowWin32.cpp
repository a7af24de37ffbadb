#include <windows.h>

#include "tools/quorvel-host/EditorWindow.h"

namespace QuorvelHost {

namespace {

constexpr char kClassName[] = "QuorvelHostEditorParent";
constexpr int kPumpRounds = 20;

bool RegisterParentClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    registered = RegisterClassA(&windowClass) != 0;
  }
  return registered;
}

}  // namespace

std::unique_ptr<EditorWindow> EditorWindow::Create() {
  if (!RegisterParentClass()) {
    return nullptr;
  }
  HWND window =
      CreateWindowExA(0, kClassName, "quorvel-host editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                      CW_USEDEFAULT, 800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) {
    return nullptr;
  }
  return std::unique_ptr<EditorWindow>(new EditorWindow(window));
}

EditorWindow::~EditorWindow() {
  DestroyWindow(static_cast<HWND>(handle_));
  Pump();
}

void EditorWindow::Pump() {
  for (int round = 0; round < kPumpRounds; ++round) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(1);
  }
}

}  // namespace QuorvelHost
