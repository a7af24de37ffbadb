// The Windows module's load and unload calls. The window classes come and go with the
// DLL itself (DllMain, editor/win32/ModuleEntry.cpp), so there is nothing to do here.
extern "C" bool InitDll() {
  return true;
}

extern "C" bool ExitDll() {
  return true;
}
