#include "toolkit/win32/Window.h"

namespace WindowsToolkit {

namespace {

const char kObjectProperty[] = "object";

// The object whose window this thread is creating right now. WM_NCCREATE attaches
// only that object: a creation parameter is a raw pointer, and a window of one of
// our classes made elsewhere (or a forged WM_NCCREATE) must not be trusted with one.
thread_local Window* creating = nullptr;

// Mouse coordinates are signed 16-bit values: under capture the pointer can be
// left of or above the window.
POINT PointFrom(LPARAM lParam) {
  return POINT{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
}

uint32_t Low(LPARAM lParam) {
  return LOWORD(lParam);
}
uint32_t High(LPARAM lParam) {
  return HIWORD(lParam);
}

LRESULT AttachAtNcCreate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (creating == nullptr || lParam == 0 || GetPropA(hwnd, kObjectProperty) != nullptr) {
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
  }
  auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
  if (create->lpCreateParams != creating) return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
  Window* window = creating;
  creating = nullptr;
  window->hwnd = hwnd;
  int result = window->OnNcCreate(create);
  // Without the property the object could never be found again, nor deleted with its
  // window: refuse the window rather than leak a detached object.
  if (result != 0 && SetPropA(hwnd, kObjectProperty, window)) return result;
  window->hwnd = nullptr;
  delete window;
  return 0;
}

// The messages whose handled result is 0 and whose unhandled result is the default
// processing. Returns false for a message without an operation of its own.
bool RouteCommon(Window& window, UINT message, WPARAM wParam, LPARAM lParam, int& result) {
  switch (message) {
    case WM_SIZE:
      result = window.OnSize(wParam, Low(lParam), High(lParam));
      return true;
    case WM_MOVE:
      result = window.OnMove(Low(lParam), High(lParam));
      return true;
    case WM_SETFOCUS:
      result = window.OnSetFocus(wParam);
      return true;
    case WM_KILLFOCUS:
      result = window.OnKillFocus(wParam);
      return true;
    case WM_SHOWWINDOW:
      result = window.OnShowWindow(wParam, lParam);
      return true;
    case WM_CHAR:
      result = window.OnChar(wParam, Low(lParam), High(lParam));
      return true;
    case WM_KEYDOWN:
      result = window.OnKeyDown(wParam, Low(lParam), High(lParam));
      return true;
    case WM_KEYUP:
      result = window.OnKeyUp(wParam, Low(lParam), High(lParam));
      return true;
    case WM_LBUTTONDOWN:
      result = window.OnLButtonDown(wParam, PointFrom(lParam));
      return true;
    case WM_LBUTTONUP:
      result = window.OnLButtonUp(wParam, PointFrom(lParam));
      return true;
    case WM_RBUTTONDOWN:
      result = window.OnRButtonDown(wParam, PointFrom(lParam));
      return true;
    case WM_RBUTTONUP:
      result = window.OnRButtonUp(wParam, PointFrom(lParam));
      return true;
    case WM_MOUSEMOVE:
      result = window.OnMouseMove(wParam, PointFrom(lParam));
      return true;
    case WM_MOUSEHOVER:
      result = window.OnMouseHover(wParam, PointFrom(lParam));
      return true;
    case WM_MOUSELEAVE:
      result = window.OnMouseLeave();
      return true;
    case WM_CAPTURECHANGED:
      result = window.OnCaptureChanged(reinterpret_cast<HWND>(lParam));
      return true;
    case WM_MOUSEWHEEL:
      result = window.OnMouseWheel(Low(static_cast<LPARAM>(wParam)), High(static_cast<LPARAM>(wParam)),
                                   PointFrom(lParam));
      return true;
    case WM_HSCROLL:
      result = window.OnHScroll(Low(static_cast<LPARAM>(wParam)), High(static_cast<LPARAM>(wParam)), lParam);
      return true;
    case WM_VSCROLL:
      result = window.OnVScroll(Low(static_cast<LPARAM>(wParam)), High(static_cast<LPARAM>(wParam)), lParam);
      return true;
    case WM_CLOSE:
      result = window.OnClose();
      return true;
    case WM_DESTROY:
      result = window.OnDestroy();
      return true;
    default:
      return false;
  }
}

}  // namespace

Window::~Window() = default;

int Window::OnNcCreate(CREATESTRUCTA*) {
  return 1;
}
int Window::OnCreate(CREATESTRUCTA*) {
  return 1;
}
int Window::OnSize(WPARAM, uint32_t, uint32_t) {
  return 0;
}
int Window::OnMove(uint32_t, uint32_t) {
  return 0;
}
int Window::OnPaint(HDC) {
  return 0;
}
int Window::OnEraseBackground(HDC) {
  return 0;
}
int Window::OnDrawItem(WPARAM, LPARAM) {
  return 0;
}
int Window::OnSetFocus(WPARAM) {
  return 0;
}
int Window::OnKillFocus(WPARAM) {
  return 0;
}
int Window::OnShowWindow(WPARAM, LPARAM) {
  return 0;
}
int Window::OnCommand(WPARAM, LPARAM) {
  return 0;
}
int Window::OnChar(WPARAM, uint32_t, uint32_t) {
  return 0;
}
int Window::OnKeyDown(WPARAM, uint32_t, uint32_t) {
  return 0;
}
int Window::OnKeyUp(WPARAM, uint32_t, uint32_t) {
  return 0;
}
int Window::OnLButtonDown(WPARAM, POINT) {
  return 0;
}
int Window::OnLButtonUp(WPARAM, POINT) {
  return 0;
}
int Window::OnRButtonDown(WPARAM, POINT) {
  return 0;
}
int Window::OnRButtonUp(WPARAM, POINT) {
  return 0;
}
int Window::OnMouseMove(WPARAM, POINT) {
  return 0;
}
int Window::OnMouseHover(WPARAM, POINT) {
  return 0;
}
int Window::OnMouseLeave() {
  return 0;
}
int Window::OnCaptureChanged(HWND) {
  return 0;
}
int Window::OnMouseWheel(uint32_t, uint32_t, POINT) {
  return 0;
}
int Window::OnHScroll(uint32_t, uint32_t, LPARAM) {
  return 0;
}
int Window::OnVScroll(uint32_t, uint32_t, LPARAM) {
  return 0;
}
int Window::OnClose() {
  return 0;
}
int Window::OnDestroy() {
  return 0;
}
int Window::OnNcDestroy() {
  return 0;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Window::CreateToolkitWindow(Window* object, const char* className, int left, int top, int w, int h,
                                 HWND parent, HINSTANCE instance) {
  if (object == nullptr) return false;
  object->x = left;
  object->y = top;
  object->width = w;
  object->height = h;
  Window* outer = creating;
  creating = object;
  HWND created = CreateWindowExA(WS_EX_LEFT, className, "", WS_CHILD | WS_VISIBLE, left, top, w, h, parent,
                                 nullptr, instance, object);
  // Once WM_NCCREATE has taken the object, the window procedure owns it (and has
  // deleted it if creation was refused); before that, nobody but us does.
  const bool taken = creating != object;
  creating = outer;
  if (created != nullptr && taken) return true;
  if (created != nullptr) DestroyWindow(created);  // a class not served by the toolkit
  if (!taken) delete object;
  return false;
}

bool Window::RegisterWindowClass(const char* className, HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = ToolkitWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass) != 0;
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return AttachAtNcCreate(hwnd, wParam, lParam);

  auto* window = static_cast<Window*>(GetPropA(hwnd, kObjectProperty));
  if (window == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);

  int result = 0;
  switch (message) {
    case WM_CREATE:
      if (window->OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam)) != 0) return 0;
      window->hwnd = nullptr;
      delete window;
      RemovePropA(hwnd, kObjectProperty);
      return -1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(hwnd, &paint);
      result = window->OnPaint(hdc);
      EndPaint(hwnd, &paint);
      break;
    }
    case WM_ERASEBKGND:
      return window->OnEraseBackground(reinterpret_cast<HDC>(wParam)) != 0
                 ? TRUE
                 : DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_DRAWITEM:
      return window->OnDrawItem(wParam, lParam) != 0 ? TRUE : DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_COMMAND:
      return window->OnCommand(wParam, lParam) != 0 ? TRUE : DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      result = window->OnNcDestroy();
      window->hwnd = nullptr;
      delete window;
      RemovePropA(hwnd, kObjectProperty);
      break;
    default:
      if (!RouteCommon(*window, message, wParam, lParam, result))
        return window->WindowProc(message, wParam, lParam);
      break;
  }
  return result != 0 ? 0 : DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace WindowsToolkit
