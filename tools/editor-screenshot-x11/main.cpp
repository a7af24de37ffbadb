// quorvel-editor-screenshot-x11 MODULE OUT.png: hosts the module's editor in a window
// of its own, gives it idle time as a host does, and writes what the view shows.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo/cairo.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "tools/module-library/ModuleLibrary.h"

namespace {

VstIntPtr Callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

bool Save(Display* display, ::Window window, const char* path) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, attributes.width, attributes.height);
  cairo_surface_flush(picture);
  unsigned char* data = cairo_image_surface_get_data(picture);
  const int stride = cairo_image_surface_get_stride(picture);
  for (int y = 0; y < attributes.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < attributes.width; ++x) row[x] = static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  cairo_surface_mark_dirty(picture);
  const bool written = cairo_surface_write_to_png(picture, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(picture);
  XDestroyImage(image);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quorvel-editor-screenshot-x11 MODULE OUT.png\n");
    return 2;
  }
  std::string error;
  const auto module = QuorvelHost::ModuleLibrary::Open(argv[1], error);
  VstPluginMainProc entry = module != nullptr ? module->FindEntry("VSTPluginMain") : nullptr;
  AEffect* effect = entry != nullptr ? entry(Callback) : nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (effect == nullptr || display == nullptr) {
    std::fprintf(stderr, "quorvel-editor-screenshot-x11: no plug-in or no display %s\n", error.c_str());
    return 1;
  }
  effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
  ERect* rect = nullptr;
  effect->dispatcher(effect, effEditGetRect, 0, 0, &rect, 0.0f);
  const ::Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0,
                                            static_cast<unsigned>(rect->right - rect->left),
                                            static_cast<unsigned>(rect->bottom - rect->top), 0, 0, 0);
  XMapWindow(display, host);
  XSync(display, False);
  effect->dispatcher(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(host)), 0.0f);
  for (int i = 0; i < 30; ++i) {
    effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(16));
  }
  XSync(display, False);
  const bool saved = Save(display, host, argv[2]);
  effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  XDestroyWindow(display, host);
  XCloseDisplay(display);
  std::printf("quorvel-editor-screenshot-x11: %s %s\n", saved ? "wrote" : "could not write", argv[2]);
  return saved ? 0 : 1;
}
