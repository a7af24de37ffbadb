#pragma once

// GDI+'s C++ declarations need COM's (IStream), which WIN32_LEAN_AND_MEAN keeps out
// of windows.h; every toolkit file that draws includes GDI+ through here.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
