// Loads the plug-in as a host does, opens its editor in a window, sets a few values
// so that the picture shows the controls at work, and saves the window as a PNG.
// Usage: editor_screenshot <plug-in DLL> <output PNG>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "host/VstInterface.h"
#include "toolkit/Gdiplus.h"

namespace {

constexpr int kWidth = 496;
constexpr int kHeight = 344;

VstIntPtr VSTCALLBACK HostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<unsigned char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (size == 0 || Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

bool SaveWindow(HWND window, const char* path) {
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  bool saved = false;
  CLSID png;
  if (PngEncoder(png)) {
    Gdiplus::Bitmap image(bitmap, nullptr);
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
    saved = image.Save(widePath, &png, nullptr) == Gdiplus::Ok;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: editor_screenshot <plug-in DLL> <output PNG>\n");
    return 2;
  }
  HMODULE module = LoadLibraryA(argv[1]);
  auto entry = module != nullptr ? reinterpret_cast<VstPluginMainProc>(
                                       reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")))
                                 : nullptr;
  AEffect* effect = entry != nullptr ? entry(HostCallback) : nullptr;
  if (effect == nullptr) {
    std::fprintf(stderr, "cannot load the plug-in from %s\n", argv[1]);
    return 1;
  }
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QuorvelEditorScreenshot";
  RegisterClassExA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Quorvel Delay", WS_POPUP, 0, 0, kWidth,
                                kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  effect->dispatcher(effect, effEditOpen, 0, 0, window, 0.0f);
  Pump();

  // A musical setting: a dotted feel with some feedback, the filter on.
  const struct {
    VstInt32 index;
    float value;
  } settings[] = {{1, 0.62f}, {2, 0.45f}, {6, 0.55f}, {7, 1.0f}, {8, 0.4f}, {10, 1.0f}, {11, 0.4f}};
  for (const auto& setting : settings) effect->setParameter(effect, setting.index, setting.value);
  Pump();
  // The status line as the user sees it while pointing at the feedback knob.
  HWND view = FindWindowExA(window, nullptr, "QuorvelDelayWindowClass", nullptr);
  for (HWND knob = FindWindowExA(view, nullptr, "QuorvelWindowsToolkitKnob", nullptr); knob != nullptr;
       knob = FindWindowExA(view, knob, "QuorvelWindowsToolkitKnob", nullptr)) {
    RECT r{};
    GetWindowRect(knob, &r);
    MapWindowPoints(HWND_DESKTOP, view, reinterpret_cast<POINT*>(&r), 1);
    if (r.left == 179 && r.top == 139) SendMessageA(knob, WM_MOUSEHOVER, 0, 0);
  }
  Pump();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();

  const bool saved = SaveWindow(window, argv[2]);
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  DestroyWindow(window);
  Gdiplus::GdiplusShutdown(token);
  FreeLibrary(module);
  if (!saved) std::fprintf(stderr, "cannot write %s\n", argv[2]);
  return saved ? 0 : 1;
}
