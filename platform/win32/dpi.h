#pragma once
// The DPI a window is drawn at and pixel sizes scaled to it. The program is per-monitor DPI
// aware, so Windows leaves every pixel size it sets to the program: a size designed at 96 DPI
// goes through scaleForWindow before it reaches a window, a font or a control.
#include <windows.h>

namespace mdx::win {

// The DPI of the monitor the window is on (GetDpiForWindow, Windows 10 1607 and later); on
// systems without it, or for a window that is gone, the screen's DPI (LOGPIXELSY).
unsigned windowDpi(HWND hwnd);

// `designed` pixels (at 96 DPI) at the window's DPI.
int scaleForWindow(HWND hwnd, int designed);

// A system metric (SM_CXSMICON, ...) at a DPI (GetSystemMetricsForDpi); without it, the
// system's own metric.
int systemMetricForDpi(int index, unsigned dpi);

// Grows a client rectangle to the window rectangle of that style at a DPI
// (AdjustWindowRectExForDpi); without it, at the system's DPI (AdjustWindowRectEx).
void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi);

}  // namespace mdx::win
