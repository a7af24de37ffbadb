#pragma once

// The entry point of a test module, exported from the shared library.
#ifdef _WIN32
#define TEST_MODULE_ENTRY extern "C" __declspec(dllexport) AEffect*
#else
#define TEST_MODULE_ENTRY extern "C" __attribute__((visibility("default"))) AEffect*
#endif
