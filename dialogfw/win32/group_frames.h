#pragma once
// Group frames (BS_GROUPBOX buttons) that overlap the controls they frame.
#include <windows.h>

namespace mdx::win {

// Puts every group frame of the dialog at the bottom of the controls' z-order and clips it to
// what its siblings leave uncovered, so that a frame's repaint (for example when the keyboard
// cues change) never paints over the labels, clocks and check boxes inside it. Group frames
// take no focus, so the tab order is unchanged.
void keepGroupFramesUnder(HWND dialog);

}  // namespace mdx::win
