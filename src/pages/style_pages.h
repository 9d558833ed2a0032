// CVlTextPPGStyle and CVlTextPPGStyle2: the behaviour and look of the box, and the furigana form.
// Every field stands for one property; the Style page enables ScrollBars only for a multi-line
// box and the spin settings only while a spin button is chosen.
#pragma once

#include "pages/property_page.h"

namespace vl::pages {

namespace style {
inline constexpr int kEnabled = 214;
inline constexpr int kKeepNull = 215;
inline constexpr int kIMEMode = 227;
inline constexpr int kPasswordChar = 251;
inline constexpr int kHideSelection = 246;
inline constexpr int kSelectByFocus = 247;
inline constexpr int kReplaceCursor = 252;
inline constexpr int kAppearance = 210;
inline constexpr int kBorderStyle = 212;
inline constexpr int kSpinButton = 225;
inline constexpr int kSpinIncrease = 237;
inline constexpr int kSpinDelay = 253;
inline constexpr int kTabByInputLast = 248;
inline constexpr int kTabByReturn = 249;
inline constexpr int kTabByHorzKey = 250;
inline constexpr int kTabByVertKey = 254;
inline constexpr int kMultiLine = 220;
inline constexpr int kScrollBars = 222;
}  // namespace style

namespace style2 {
inline constexpr int kFuriganaType = 254;
}  // namespace style2

class CVlTextPPGStyle : public PropertyPage {
 public:
  CVlTextPPGStyle();
  void Read(CVlTypedBoxCtrl& control) override;

 protected:
  void OnChosen(int id) override;
  void OnChecked(int id) override;

 private:
  void UpdateEnabling();
};

class CVlTextPPGStyle2 : public PropertyPage {
 public:
  CVlTextPPGStyle2();
};

}  // namespace vl::pages
