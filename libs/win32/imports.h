#pragma once
// The calls meridexa.exe binds at load time from its companion libraries.
#include <windows.h>

#include "libs/util/convert_i_d.h"

extern "C" {
__declspec(dllimport) HINSTANCE Play_Snd(int n);  // mdxsound.dll: starts the built-in chime
__declspec(dllimport) HINSTANCE Inst_Grp(void);   // mdxgraph.dll: the module holding the bitmaps
}
