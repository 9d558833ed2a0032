// The value rules of the control core driven through an editor that answers the statuses a case
// needs.
#include <gtest/gtest.h>

#include "host/form.h"
#include "runtime/automation_error.h"
#include "text/encoding.h"
#include "text_value_edit.h"

namespace vl {
namespace {

// An editor whose next answers are set by the test.
class ScriptedEdit : public TextValueEdit {
 public:
  explicit ScriptedEdit(std::uint16_t type) : TextValueEdit(type) {}

  std::int32_t loadStatus = kEditOk;        // answer to the next value load
  TypedValue adjusted;                      // value kept for statuses 3, 5, 7
  std::int32_t formatStatus = kEditOk;      // answer to the next SetFormat

  bool PrepareLoad(const TypedValue& value, TypedValue& load, std::string& produced) override {
    const std::int32_t status = std::exchange(loadStatus, kEditOk);
    if (status == kEditOk) return TextValueEdit::PrepareLoad(value, load, produced);
    produced = "produced:" + TypedValueToText(value);
    if (status == kEditMaxLength || status == kEditAdjustedToFormat || status == kEditFormatMismatch) {
      Show(adjusted);
    }
    lastError = status;
    return false;
  }

  bool SetFormat(const std::string& format) override {
    TextValueEdit::SetFormat(format);
    const std::int32_t status = std::exchange(formatStatus, kEditOk);
    if (status == kEditOk) return true;
    Show(adjusted);
    lastError = status;
    return false;
  }
};

class ValueRules : public ::testing::Test {
 protected:
  void SetUp() override {
    box_ = &form_.AddBox("b", std::nullopt, [this](std::uint16_t type) {
      auto e = std::make_unique<ScriptedEdit>(type);
      editor_ = e.get();
      return e;
    });
    box_->SetProperty(kDispDataType, Variant::I4(VlTextLong));
    box_->SetProperty(kDispValue, Variant::I4(7));
    form_.TakeEvents();
    form_.TakeMessages();
  }

  std::vector<std::string> EventNames() {
    std::vector<std::string> names;
    for (const EventRecord& r : form_.TakeEvents()) names.push_back(r.name);
    return names;
  }

  const EventParam& Param(const EventRecord& r, const char* name) {
    for (const EventParam& p : r.params) {
      if (p.name == name) return p;
    }
    throw std::logic_error(name);
  }

  Form form_;
  CVlTypedBoxCtrl* box_ = nullptr;
  ScriptedEdit* editor_ = nullptr;
};

TEST_F(ValueRules, RefusedLoadsKeepTheOldValueAndRaiseOneValueError) {
  struct Row { std::int32_t status; std::int32_t code; };
  for (const Row& r : {Row{kEditAboveUpper, 1000}, Row{kEditBelowLower, 1001}, Row{kEditTooManyChars, 1003}}) {
    editor_->loadStatus = r.status;
    box_->SetProperty(kDispValue, Variant::I4(150));
    auto events = form_.TakeEvents();
    ASSERT_EQ(events.size(), 1u) << r.code;
    EXPECT_EQ(events[0].name, "ValueError");
    EXPECT_EQ(Param(events[0], "ErrCode").value, Variant::I4(r.code));
    EXPECT_EQ(Param(events[0], "ErrValue").value, Variant::Bstr("produced:150"));
    EXPECT_EQ(box_->GetProperty(kDispValue), Variant::I4(7)) << r.code;
    EXPECT_EQ(form_.TakeMessages().size(), 1u);
  }
}

TEST_F(ValueRules, AdjustedLoadsStoreTheAdjustedValueAndReportTheHandedOne) {
  struct Row { std::int32_t status; std::int32_t code; };
  for (const Row& r : {Row{kEditMaxLength, 1004}, Row{kEditAdjustedToFormat, 1005}, Row{kEditFormatMismatch, 1006}}) {
    editor_->loadStatus = r.status;
    editor_->adjusted = Variant::I4(99);
    box_->SetProperty(kDispValue, Variant::I4(12345));
    auto events = form_.TakeEvents();
    ASSERT_EQ(events.size(), 1u) << r.code;
    EXPECT_EQ(Param(events[0], "ErrCode").value, Variant::I4(r.code));
    EXPECT_EQ(Param(events[0], "ErrValue").value, Variant::I4(12345));
    EXPECT_EQ(box_->GetProperty(kDispValue), Variant::I4(99));
    box_->SetProperty(kDispValue, Variant::I4(7));
    form_.TakeEvents();
  }
}

TEST_F(ValueRules, CancelDisplaySuppressesTheMessageBox) {
  form_.SetEventHandler([](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::ValueError) args["CancelDisplay"] = Variant::Bool(true);
  });
  editor_->loadStatus = kEditAboveUpper;
  box_->SetProperty(kDispValue, Variant::I4(150));
  EXPECT_EQ(EventNames(), std::vector<std::string>{"ValueError"});
  EXPECT_TRUE(form_.TakeMessages().empty());
}

TEST_F(ValueRules, MessageBoxOwnerFollowsReturnFocus) {
  bool returnFocus = true;
  form_.SetEventHandler([&](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::ValueError) args["ReturnFocus"] = Variant::Bool(returnFocus);
  });
  editor_->loadStatus = kEditAboveUpper;
  box_->SetProperty(kDispValue, Variant::I4(150));
  auto shown = form_.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, "b");  // no edit window yet: the control window owns it
  EXPECT_EQ(Cp932ToUtf8(shown[0].title), "VlText");
  EXPECT_EQ(form_.FocusedName(), "b");

  returnFocus = false;
  form_.WindowSystem().SetFocus(form_.Handle());
  editor_->loadStatus = kEditAboveUpper;
  box_->SetProperty(kDispValue, Variant::I4(150));
  shown = form_.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, "");
  EXPECT_EQ(form_.FocusedName(), "form");
}

TEST_F(ValueRules, UserCheckAnswersBecomeValueErrors) {
  form_.Focus(*box_);  // the edit window exists from now on
  ASSERT_TRUE(editor_->IsCreated());
  struct Row { std::int32_t hostCode; const char* hostText; std::int32_t code; const char* message; };
  for (const Row& r : {Row{500, "unlucky", 500, "unlucky"}, Row{2, "too small", 1001, "入力値が下限値を超えました"},
                       Row{0, "", 0, ""}}) {
    form_.SetEventHandler([&](BoxSite&, VlEvent id, EventArgs& args) {
      if (id != VlEvent::UserCheckValue) return;
      args["ErrCode"] = Variant::I4(r.hostCode);
      args["ErrString"] = Variant::Bstr(r.hostText);
    });
    box_->SetProperty(kDispValue, Variant::I4(13));
    auto events = form_.TakeEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0].name, "UserCheckValue");
    EXPECT_EQ(Param(events[0], "NewValue").value, Variant::I4(13));
    if (r.code == 0) {
      // Accepted: the write goes on to Change.
      ASSERT_EQ(events.size(), 2u);
      EXPECT_EQ(events[1].name, "Change");
      continue;
    }
    // Refused by the host: ValueError instead of Change.
    ASSERT_EQ(events.size(), 2u) << r.hostCode;
    EXPECT_EQ(events[1].name, "ValueError");
    EXPECT_EQ(Param(events[1], "ErrCode").value, Variant::I4(r.code));
    EXPECT_EQ(Param(events[1], "ErrValue").value, Variant::Bstr(r.hostText));
    EXPECT_EQ(Cp932ToUtf8(Param(events[1], "ErrString").value.AsBstr()), r.message);
    box_->SetProperty(kDispValue, Variant::I4(7));
    form_.TakeEvents();
  }
}

TEST_F(ValueRules, FormatThatNoLongerFitsTakesTheAdjustedValue) {
  editor_->formatStatus = kEditAdjustedToFormat;
  editor_->adjusted = Variant::I4(5);
  box_->SetProperty(kDispFormat, Variant::Bstr("0"));
  auto events = form_.TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(Param(events[0], "ErrCode").value, Variant::I4(1005));
  EXPECT_EQ(Param(events[0], "ErrValue").value, Variant::I4(7));
  EXPECT_EQ(box_->GetProperty(kDispValue), Variant::I4(5));
  // The refused write announced nothing, but the format is stored.
  EXPECT_EQ(box_->GetProperty(kDispFormat), Variant::Bstr("0"));
}

TEST_F(ValueRules, DesignModeRaisesNoValueError) {
  form_.SetUserMode(false);
  editor_->loadStatus = kEditAboveUpper;
  editor_->formatStatus = kEditAdjustedToFormat;
  editor_->adjusted = Variant::I4(5);
  box_->SetProperty(kDispFormat, Variant::Bstr("0"));
  for (const std::string& name : EventNames()) EXPECT_NE(name, "ValueError");
  EXPECT_TRUE(form_.TakeMessages().empty());
  try {
    box_->GetProperty(kDispValue);
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Code(), 394);
  }
}

TEST_F(ValueRules, EqualValueWriteIsSilent) {
  box_->SetProperty(kDispValue, Variant::I4(7));
  EXPECT_TRUE(form_.TakeEvents().empty());
  box_->SetProperty(kDispValue, Variant::Bstr("8"));  // converted to the data type
  EXPECT_EQ(EventNames(), std::vector<std::string>{"Change"});
  EXPECT_EQ(box_->GetProperty(kDispValue), Variant::I4(8));
}

}  // namespace
}  // namespace vl
