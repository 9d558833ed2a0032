// CVlDateEdit: the editor of a Date box. It holds the date as six calendar fields, edits them in a
// fixed-width edit form derived from the Format (date_edit_form.h), checks each typed digit
// against the field under the caret, steps that field for the spin button, and shows the Format's
// display form, with the box's own era table, when it has no focus.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "edit/date_edit_form.h"
#include "edit/edit_wnd.h"
#include "format/era_table.h"

namespace vl {

class CVlDateEdit : public CVlEditWnd {
 public:
  CVlDateEdit();

  // The leap-year rule of the digit filter (29 February): none below -46, every third year from
  // -46 to -9, none from -8 to 7, every fourth year from 8 to 1582, the Gregorian rule from 1583.
  // So 29 February 1500 can be typed, and is then refused as no date when the value is taken.
  static bool IsLeapYear(int year);

  void SetNull(bool on) override;
  void GetFormat(std::string& out) override;
  bool SetFormat(const std::string& format) override;
  void GetSel(std::int32_t& start, std::int32_t& length) override;
  void SetSel(std::int32_t start, std::int32_t length) override;
  bool SpinDown() override;
  bool SpinUp() override;
  bool RefreshDisplay() override;
  void AfterDelete() override;
  bool ValidateText(const std::string& text) override;
  // Digits go in from the selection's start as if typed (all or none); a text that names a whole
  // date replaces every field.
  bool SetSelText(const std::string& text) override;
  bool FilterChar(std::uint32_t& ch, std::string& replacement, std::uint32_t& extra) override;
  void Copy() override;
  bool Paste() override;

  void SetEraProfile(const std::string& path) override;
  // The edit form as shown, separators included.
  std::string GetText() override;

  // One spin step of the field under the caret; true when the date changed.
  bool DateStep(std::int64_t step);
  // [LowerValue, UpperValue] (exchanged when reversed) with CheckValue, else 100-01-01 00:00:00
  // to 9999-12-31 23:59:59.
  DateRange GetDateRange() const;

  // Inspection for the control and tests.
  const DateParts& Fields() const { return parts_; }
  const DateEditForm& EditForm() const { return editForm_; }
  const EraTable& Eras() const { return eraTable_; }
  bool IsNullValue() const { return valueCommit.IsNull(); }
  bool IsInvalid() const { return invalid_; }

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

 protected:
  void OnFocusGained() override;
  void OnFocusLost(win::HWND newFocus) override;
  bool OnTypedChar(std::uint32_t ch) override;

  // The editor's part of the value sequence (value_commit.h): a handed date split into its
  // fields, the edit text read back as a date, the fields shown again.
  bool PrepareLoad(const TypedValue& handed, TypedValue& load, std::string& produced) override;
  void ShowLoaded(std::string& produced) override;
  std::string ValueText() const override { return fieldModel.EditText(); }
  bool TextToValue(const std::string& text, TypedValue& out) override;
  void ShowCommitted() override;

 private:
  // The field under a byte position of the edit text, and the character offset in it.
  struct FieldAt {
    int index = -1;
    int offset = 0;
  };
  FieldAt FieldAtPosition(std::int32_t pos) const;
  FieldAt CaretField() const;
  // Byte position in the edit text of a field's start plus `offset` characters.
  std::int32_t FieldPosition(int index, int offset) const;

  // Derives the edit form from formatText for the held fields and lays it into the field model.
  void RebuildEditForm();
  // Renders the held fields into the field model (the form is re-derived when the era fallback
  // changes), keeping the selection.
  void RenderFields();
  // Parses the field model's text into the held fields; nothing when they form no date.
  std::optional<double> ParseFields();
  // The held fields as a date, with invalid updated.
  std::optional<double> FieldsDate();
  // Today at 00:00:00, or LowerValue with CheckValue.
  void PreFill();
  bool TypeEra(std::uint32_t ch, const FieldAt& at);
  bool TypeDigit(char digit, FieldAt at);
  // Re-reads the text after a change and renders it again with the caret at `caret`.
  void Normalise(std::int32_t caret);
  // The date parsed from the fields, or the loaded value itself while the fields still hold its
  // parts: the edit form shows whole seconds, and a time of 12:00:00.0086 must not lose its
  // fraction when nobody edited it.
  double SerialOfFields(double parsed) const;

  // A deletion about to happen, so that AfterDelete can clear digits instead of letting the
  // following fields slide left.
  struct PendingDelete {
    bool armed = false;
    bool backward = false;
    FieldSelection selection;
    std::string valueText;
    std::vector<FieldSegment> segments;
  };
  void ArmDelete(bool backward);

  std::string formatText_ = "yyyy/mm/dd hh:nn:ss";
  bool invalid_ = true;
  DateParts parts_;
  std::string nullText_;
  EraTable eraTable_;
  DateEditForm editForm_;
  DateFormatSpec displaySpec_;
  DateParts loadParts_;  // the fields of a date being loaded
  // The value last loaded or committed, while the box is not Null: what the fields stand for as
  // long as they still hold its parts (SerialOfFields).
  std::optional<double> loadedSerial_;
  PendingDelete pendingDelete_;
  std::string validatedText_;  // the field model's text of the last text ValidateText accepted
};

}  // namespace vl
