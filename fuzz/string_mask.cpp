// Fuzz target: string masks and the field model.
//
// Input layout: a mask text up to the first 0x00 byte, a value text up to the next 0x00 byte, then
// a sequence of edit operations, one selector byte each followed by its arguments. The mask is
// parsed, the value shown through it (with and without "!", with and without markers), and a field
// model in mask mode and one in numeric mode are driven through the operations. After every step
// the model's invariants are checked; a broken invariant aborts, as a crash would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "format/mask_field_model.h"
#include "format/string_mask.h"
#include "text/mbcs.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : text_(reinterpret_cast<const char*>(data), size) {}
  std::string_view UntilZero() {
    const std::size_t end = text_.find('\0', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    const std::string_view part = text_.substr(pos_, stop - pos_);
    pos_ = stop == text_.size() ? stop : stop + 1;
    return part;
  }
  bool Done() const { return pos_ >= text_.size(); }
  std::uint8_t Byte() { return pos_ < text_.size() ? static_cast<std::uint8_t>(text_[pos_++]) : 0; }
  std::string_view Take(std::size_t n) {
    const std::string_view part = text_.substr(pos_, n);
    pos_ += part.size();
    return part;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The most a display through the mask can hold: literals, two bytes per position, and for a
// literal-only mask the whole value.
std::size_t DisplayBound(const vl::StringMask& mask, std::size_t valueSize) {
  std::size_t bound = mask.prefix.size() + valueSize;
  for (const vl::MaskRun& run : mask.runs) {
    bound += run.literalAfter.size() + 2 * static_cast<std::size_t>(run.count);
  }
  return bound;
}

void CheckModel(const vl::MaskFieldModel& model, std::size_t bound) {
  const std::string& edit = model.EditText();
  const vl::FieldSelection sel = model.GetSelection();
  Require(sel.start >= 0 && sel.end >= 0);
  Require(static_cast<std::size_t>(sel.Max()) <= edit.size());
  Require(!vl::MbcsSplitsChar(edit, sel.start) && !vl::MbcsSplitsChar(edit, sel.end));
  Require(edit.size() <= bound);
  Require(model.GetSelectedText().size() <= model.GetText().size());
  Require(model.GetDisplayText().size() <= bound);
  if (model.NumericMode()) {
    Require(model.GetText() == edit);
    std::int32_t intDigits = 0;
    std::int32_t fracDigits = 0;
    bool point = false;
    for (char c : model.GetText()) {
      if (c == '.') {
        Require(!point);
        point = true;
      } else if (c >= '0' && c <= '9') {
        ++(point ? fracDigits : intDigits);
      }
    }
    Require(model.IntPositions() == 0 || intDigits <= model.IntPositions());
    Require(model.FracPositions() == 0 || fracDigits <= model.FracPositions());
  }
  std::int32_t limit = 0;
  for (const vl::FieldSegment& seg : model.Segments()) {
    Require(seg.start >= limit && seg.start + seg.byteLength <= static_cast<std::int32_t>(edit.size()));
    limit = seg.start + seg.byteLength;
  }
}

void Drive(vl::MaskFieldModel& model, Reader ops, std::size_t bound) {
  CheckModel(model, bound);
  for (int steps = 0; steps < 400 && !ops.Done(); ++steps) {
    const std::uint8_t op = ops.Byte();
    switch (op % 16) {
      case 0:
      case 1:
      case 2: {  // type a character, single- or double-byte
        std::uint16_t ch = ops.Byte();
        if (vl::IsLeadByte(static_cast<unsigned char>(ch))) ch = static_cast<std::uint16_t>(ch * 256 + ops.Byte());
        model.InsertChar(ch);
        break;
      }
      case 3: model.Delete(); break;
      case 4: model.DeleteBackward(); break;
      case 5: model.MoveCaret(static_cast<vl::CaretMove>(ops.Byte() % 7)); break;
      case 6: model.ExtendSelection(static_cast<vl::SelectionExtend>(1 + ops.Byte() % 6)); break;
      case 7: {
        const std::int32_t start = static_cast<std::int8_t>(ops.Byte());
        const std::int32_t end = static_cast<std::int8_t>(ops.Byte());
        model.SetSelection(start, end, (op & 0x10) ? vl::SnapDirection::kLeft : vl::SnapDirection::kRight);
        break;
      }
      case 8:
        model.SetEditMode((op & 0x10) ? vl::FieldEditMode::kOverwrite : vl::FieldEditMode::kInsert);
        break;
      case 9: model.SetText(ops.Take(ops.Byte() % 24)); break;
      case 10: model.ReplaceSelection(ops.Take(ops.Byte() % 8)); break;
      case 11: model.DeleteAll(); break;
      case 12: model.SetCharLimit(ops.Byte() % 20); break;
      case 13: model.SetByteLimit(ops.Byte() % 20); break;
      case 14: model.SetPasswordChar(static_cast<char>(ops.Byte() & 0x7F)); break;
      case 15: model.MoveAfterDecimalPoint(); break;
    }
    CheckModel(model, bound);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader reader(data, size);
  const std::string_view maskText = reader.UntilZero();
  const std::string_view value = reader.UntilZero();
  const Reader ops = reader;

  for (const std::string& text : {std::string(maskText), "!" + std::string(maskText)}) {
    const vl::StringMask mask = vl::ParseStringMask(text);
    Require(!mask.runs.empty());
    Require(vl::GetMaskCapacity(text) == vl::GetMaskCapacity(mask));
    Require(mask == vl::ParseStringMask(text));  // parsing is a pure function of the text
    const std::size_t bound = DisplayBound(mask, value.size());
    for (bool keepMarkers : {false, true}) {
      Require(vl::MaskDisplayText(value, mask, keepMarkers).size() <= bound);
    }
    Require(vl::MaskHiddenText(mask).size() <= bound);
    vl::CheckMaskedValue(value, mask);
    for (std::size_t run = 0; run <= mask.runs.size(); ++run) {
      for (std::size_t p = 0; p < value.size() && p < 8; p += vl::CharLengthAt(value, p)) {
        const vl::MaskCharCheck check = vl::CheckMaskChar(mask, run, vl::CharCodeAt(value, p));
        Require(!check.accepted || check.character != 0 || vl::CharCodeAt(value, p) == 0);
      }
    }

    // Mask mode: the layout of the mask; the text may grow only inside an unmasked field.
    const vl::MaskEditLayout layout = vl::BuildMaskEditLayout(mask);
    vl::MaskFieldModel field;
    field.SetLayout(layout);
    field.SetText(value);
    Drive(field, ops, DisplayBound(mask, value.size() + size * 2));
  }

  // A date-like layout: digit fields padded with "0" around a blank-padded field.
  vl::MaskFieldModel fields;
  const std::int32_t yearDigits = 1 + static_cast<std::int32_t>(size % 4);
  fields.SetLayout(vl::MaskEditLayout{"", {{'0', yearDigits, "/"}, {' ', 2, ":"}, {'0', 2, ""}}, yearDigits + 4, false});
  fields.SetText(value);
  Drive(fields, ops, 64);

  // Numeric mode, positions from the first two bytes of the value.
  vl::MaskFieldModel number;
  number.SetNumericMode(true);
  const std::int32_t intPositions = value.empty() ? 0 : static_cast<std::uint8_t>(value[0]) % 12;
  const std::int32_t fracPositions = value.size() < 2 ? 0 : static_cast<std::uint8_t>(value[1]) % 6;
  number.SetLayout(vl::MakeNumericLayout(intPositions, fracPositions % 2 == 0, fracPositions));
  number.SetText(value);
  Drive(number, ops, value.size() + size * 2 + 8);
  return 0;
}
