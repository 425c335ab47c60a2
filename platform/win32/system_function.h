#pragma once
// System functions bound at first use instead of when the program loads: ones that older
// Windows versions (or Wine) lack, where an import that cannot be bound would stop the program
// from starting, and ones only a dialog needs, whose library (with all it pulls in, the print
// spooler for the common dialogs) would otherwise load and start up at every launch.
#include <windows.h>

namespace mdx::win {

// `name` from the system library `module`, loaded from the system folder if it is not loaded
// yet; null when either is missing. Callers look each function up once and keep it.
template <class Fn>
Fn systemFunction(const wchar_t* module, const char* name) {
  HMODULE library = GetModuleHandleW(module);
  if (library == nullptr) library = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace mdx::win
