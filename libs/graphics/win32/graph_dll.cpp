// mdxgraph.dll: carries the map, day/night mask, dial and sprite bitmaps as
// resources. Its only code keeps the module instance that Windows handed to
// DllMain and gives it to the program, which loads the bitmaps from it by id.
#include <windows.h>

namespace {
HINSTANCE g_module = nullptr;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

// The module instance of this library; never fails, no side effects.
extern "C" __declspec(dllexport) HINSTANCE Inst_Grp(void) {
    return g_module;
}
