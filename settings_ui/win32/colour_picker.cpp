#include "settings_ui/win32/colour_picker.h"

#include <commdlg.h>

#include "platform/win32/system_function.h"

namespace mdx::win {

std::optional<Rgb> pickColour(HWND owner, Rgb start) {
  // The picker's sixteen custom colours last as long as the program.
  static COLORREF customColours[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = RGB(start.r, start.g, start.b);
  cc.lpCustColors = customColours;
  cc.Flags = CC_RGBINIT;
  static const auto chooseColor = systemFunction<BOOL(WINAPI*)(LPCHOOSECOLORW)>(L"comdlg32.dll", "ChooseColorW");
  if (chooseColor == nullptr || !chooseColor(&cc)) return std::nullopt;
  return Rgb{GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)};
}

}  // namespace mdx::win
