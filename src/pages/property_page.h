// The model of one property page: its fields by control id, what the user does to them, and the
// exchange with the control's properties. The page knows no window; its dialog (page_dialog.h)
// shows the fields and turns the user's input into the calls below.
//
// Exchange: a page reads the properties of the control when it opens and writes back, on Apply,
// only what differs from what it read. A write may change other properties on its own (a DataType
// write resets Format, Alignment and MaxLength); a later field whose property changed that way is
// compared with the property's new value instead, so the control ends up as the page shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/font_object.h"
#include "runtime/variant.h"

namespace vl {
class CVlTypedBoxCtrl;
}

namespace vl::pages {

class ColourList;

enum class FieldKind {
  Label,       // a static text (only fields with a control id of their own are listed)
  Edit,        // a text field
  Check,       // a check box
  DropList,    // a drop-down list: the user chooses an item
  Combo,       // a drop-down combo box: the user chooses an item or types any text
  Button,      // a push button
  ColourList,  // the owner-drawn colour list (colour_picker.h)
  Sample,      // the Caption page's sample of text, font and colour
};

struct PageField {
  int id = 0;
  FieldKind kind = FieldKind::Edit;
  std::string label;               // CP932; "&" marks the mnemonic ("L&owerValue:")
  std::vector<std::string> items;  // lists and combo boxes, CP932
  std::string text;                // text fields, combo boxes, the sample
  int selected = -1;               // lists and combo boxes: the chosen item, -1 for none
  bool checked = false;            // check boxes
  bool enabled = true;
};

// What a page asks of the window it is shown in: the message boxes and common dialogs it opens.
class PageServices {
 public:
  virtual ~PageServices() = default;
  // An information message box titled with the component's display name.
  virtual void ShowMessage(const std::string& text) = 0;
  // The common dialogs; true when the user pressed OK, with the choice written back.
  virtual bool BrowseFile(const std::string& filter, std::string& path) = 0;
  virtual bool ChooseFont(FontDesc& font) = 0;
  virtual bool ChooseColour(std::uint32_t& colour) = 0;
};

// How a field and a property are exchanged.
enum class Exchange {
  Text,   // the field's text is the property's text
  Check,  // the check box is the property's boolean
  Index,  // the list's item index is the property's value
  Int,    // the field's text is a 32-bit integer ("%ld")
  Short,  // the field's text is a 16-bit integer
  Float,  // the field's text is a single-precision number ("%.6g")
  Typed,  // the page keeps a typed value of its own (the range and the default)
};

struct Binding {
  int field;
  std::int32_t dispid;
  Exchange how;
};

// One field of a page as its table states it: the field and, unless dispid is 0, the property it
// stands for. Labels and items are UTF-8 here and CP932 in the page.
struct FieldRow {
  int id;
  FieldKind kind;
  const char* label;
  std::int32_t dispid;
  Exchange how;
  std::vector<const char*> items;
};

class PropertyPage {
 public:
  // The fields of the rows; Apply writes the bound ones in row order.
  PropertyPage(std::string title, const std::vector<FieldRow>& rows);
  virtual ~PropertyPage() = default;
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  const std::string& Title() const { return title_; }
  const std::vector<PageField>& Fields() const { return fields_; }
  // A field by control id (an alias id names the field it labels); null when there is none.
  const PageField* Find(int id) const;

  virtual void SetServices(PageServices* services) { services_ = services; }
  // Called with the id of every field whose text, items, selection, check or enabling changed.
  void SetListener(std::function<void(int)> listener) { listener_ = std::move(listener); }

  // --- What the user does. Each runs the page's rules; a call for a field that does not exist or
  // is disabled changes nothing and answers false.
  bool Type(int id, const std::string& text);  // the text of a text field or combo box
  bool Choose(int id, int index);              // an item of a list or combo box
  bool Check(int id, bool on);
  bool Click(int id);
  // The focus leaves the field: its checks run (ranges, the default, numbers).
  void Leave(int id);

  // The colour list behind a ColourList field; null for other fields.
  virtual ColourList* ColourListOf(int /*id*/) { return nullptr; }
  // What a Sample field shows besides its text: the font and the text colour.
  virtual FontDesc SampleFont() const { return DefaultCaptionFont(); }
  virtual std::uint32_t SampleColour() const { return 0x80000012; }

  // --- Exchange with the control.
  virtual void Read(CVlTypedBoxCtrl& control);
  // Writes what changed since Read, in the page's order. Refused writes throw AutomationError
  // (the fields written before it stay written).
  virtual void Apply(CVlTypedBoxCtrl& control);
  virtual bool IsDirty() const;

 protected:
  PageField& Field(int id);
  const PageField& Field(int id) const;
  void AddAlias(int alias, int id) { aliases_.push_back({alias, id}); }

  // Model-side changes; each tells the listener.
  void SetText(int id, std::string text);
  void SetItems(int id, std::vector<std::string> items);
  void Select(int id, int index);
  void SetChecked(int id, bool on);
  void Enable(int id, bool on);
  void ShowMessage(std::uint32_t stringId);
  PageServices* Services() const { return services_; }
  // Tells the listener that a field's look changed without a change the page tracks (the
  // sample's font or colour).
  void Notify(int id);

  // The rules of a page, after the field took the user's change.
  virtual void OnTyped(int /*id*/) {}
  virtual void OnChosen(int /*id*/) {}
  virtual void OnChecked(int /*id*/) {}
  virtual void OnClicked(int /*id*/) {}
  virtual void OnLeft(int /*id*/) {}

  // The exchange of one binding. FieldValue answers the property value the page shows, or
  // nothing when the field is not exchanged now; Show puts a property value into the field.
  virtual std::optional<Variant> FieldValue(const Binding& b) const;
  virtual void Show(const Binding& b, const Variant& value);
  // The property as the page compares it: the read value in the field's own terms.
  virtual Variant Normalize(const Binding& b, const Variant& value) const;
  // Writes one binding; the range pages write their two bounds together in a safe order.
  virtual void Write(CVlTypedBoxCtrl& control, const Binding& b, const Variant& value);
  const std::vector<Binding>& Bindings() const { return bindings_; }
  // The value read (or rebased) for a binding; Empty when none.
  const Variant& Baseline(int field) const;

  // Numeric text fields: the text is checked when the field is left; a text that is not a number
  // of the field's kind returns to the last accepted one with message 1102.
  void AcceptText(int id) { accepted_[id] = Field(id).text; }
  // A text field that holds a number of that kind (Int, Short or Float) without standing for a
  // property of its own.
  void AddNumberField(int id, Exchange how) { numbers_[id] = how; }

 private:
  bool Usable(int id, FieldKind a, FieldKind b = FieldKind::Label) const;
  void CheckNumber(int id, Exchange how);

  std::string title_;
  std::vector<PageField> fields_;
  std::vector<Binding> bindings_;
  std::vector<std::pair<int, int>> aliases_;
  std::map<int, Variant> baseline_;
  std::map<int, std::string> accepted_;
  std::map<int, Exchange> numbers_;
  PageServices* services_ = nullptr;
  std::function<void(int)> listener_;
};

// Number texts of the fields: parsed whole (blanks around allowed), else nothing.
std::optional<std::int64_t> ParseInteger(const std::string& text);
std::optional<double> ParseDecimal(const std::string& text);
std::string FormatFloat(float value);        // "%.6g"
std::string FormatLong(std::int64_t value);  // "%ld"

}  // namespace vl::pages
