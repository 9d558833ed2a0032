#include "pages/style_pages.h"

#include "control/typed_box_ctrl.h"
#include "resources/string_table.h"

namespace vl::pages {

namespace {

constexpr std::uint32_t kTitleStyle = 101;
constexpr std::uint32_t kTitleStyle2 = 104;

// Each row is a field and the property it stands for, in the order Apply writes them.
const std::vector<FieldRow>& StyleRows() {
  using namespace style;
  static const std::vector<FieldRow> rows = {
      {kEnabled, FieldKind::Check, "&Enabled", kDispEnabled, Exchange::Check, {}},
      {kKeepNull, FieldKind::Check, "&KeepNull", kDispKeepNull, Exchange::Check, {}},
      {kIMEMode,
       FieldKind::DropList,
       "&IMEMode:",
       kDispIMEMode,
       Exchange::Index,
       {"0 - なし", "1 - ｵﾝ", "2 - ｵﾌ", "3 - ｵﾌ固定", "4 - 全角ひらがな", "5 - 全角ｶﾀｶﾅ", "6 - 半角ｶﾀｶﾅ",
        "7 - 全角英数", "8 - 半角英数"}},
      {kPasswordChar, FieldKind::Edit, "Pass&wordChar:", kDispPasswordChar, Exchange::Text, {}},
      {kHideSelection, FieldKind::Check, "&HideSelection", kDispHideSelection, Exchange::Check, {}},
      {kSelectByFocus, FieldKind::Check, "&SelectByFocus", kDispSelectByFocus, Exchange::Check, {}},
      {kReplaceCursor, FieldKind::Check, "&ReplaceCursor", kDispReplaceCursor, Exchange::Check, {}},
      {kAppearance, FieldKind::DropList, "A&ppearance:", kDispAppearance, Exchange::Index, {"0 - Flat", "1 - 3D"}},
      {kBorderStyle,
       FieldKind::DropList,
       "&BorderStyle:",
       kDispBorderStyle,
       Exchange::Index,
       {"0 - None", "1 - Fixed Single"}},
      {kSpinButton,
       FieldKind::DropList,
       "SpinB&utton:",
       kDispSpinButton,
       Exchange::Index,
       {"0 - None", "1 - VertSpin Left", "2 - VertSpin Right"}},
      {kSpinIncrease, FieldKind::Edit, "Spin&Increase:", kDispSpinIncrease, Exchange::Float, {}},
      {kSpinDelay, FieldKind::Edit, "Spin&Delay:", kDispSpinDelay, Exchange::Short, {}},
      {kTabByInputLast, FieldKind::Check, "TabByI&nputLast", kDispTabByInputLast, Exchange::Check, {}},
      {kTabByReturn, FieldKind::Check, "TabByRe&turn", kDispTabByReturn, Exchange::Check, {}},
      {kTabByHorzKey, FieldKind::Check, "TabByHor&zKey", kDispTabByHorzKey, Exchange::Check, {}},
      {kTabByVertKey, FieldKind::Check, "TabBy&VertKey", kDispTabByVertKey, Exchange::Check, {}},
      {kMultiLine, FieldKind::Check, "&MultiLine", kDispMultiLine, Exchange::Check, {}},
      {kScrollBars,
       FieldKind::DropList,
       "S&crollBars:",
       kDispScrollBars,
       Exchange::Index,
       {"0 - None", "1 - Horizontal", "2 - Vertical", "3 - Both"}},
  };
  return rows;
}

const std::vector<FieldRow>& Style2Rows() {
  static const std::vector<FieldRow> rows = {
      {style2::kFuriganaType,
       FieldKind::DropList,
       "&FuriganaType",
       kDispFuriganaType,
       Exchange::Index,
       {"0 - 半角ｶﾀｶﾅ", "1 - 全角カタカナ", "2 - ひらがな"}},
  };
  return rows;
}

}  // namespace

CVlTextPPGStyle::CVlTextPPGStyle() : PropertyPage(LoadResourceString(kTitleStyle), StyleRows()) { UpdateEnabling(); }

void CVlTextPPGStyle::Read(CVlTypedBoxCtrl& control) {
  PropertyPage::Read(control);
  UpdateEnabling();
}

void CVlTextPPGStyle::UpdateEnabling() {
  using namespace style;
  Enable(kScrollBars, Field(kMultiLine).checked);
  const bool spin = Field(kSpinButton).selected > 0;
  Enable(kSpinIncrease, spin);
  Enable(kSpinDelay, spin);
}

void CVlTextPPGStyle::OnChosen(int id) {
  if (id == style::kSpinButton) UpdateEnabling();
}

void CVlTextPPGStyle::OnChecked(int id) {
  if (id == style::kMultiLine) UpdateEnabling();
}

CVlTextPPGStyle2::CVlTextPPGStyle2() : PropertyPage(LoadResourceString(kTitleStyle2), Style2Rows()) {}

}  // namespace vl::pages
