// Design time: the property frame of a box (its four pages: General, Style, Style2, Caption),
// the colour lists of the Caption page, the shared palette, and the common dialogs the pages open.
//
//   vl::Palette palette;
//   vl::PropertyPages pages = form.OpenPropertyPages(price, palette);
//   const int general = pages.IndexOf("General");
//   pages.Choose(general, 241, 5);  // what the user does; the page's rules run
//   pages.Apply();                  // the changed fields go to the box
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vltext/error.h"
#include "vltext/picture.h"

namespace vl {
inline namespace v1 {

// The colours the colour lists offer after their fixed ones, front first; every frame given the
// same palette shares it.
class Palette {
 public:
  Palette();
  std::vector<std::uint32_t> Colours() const;

  struct Impl;
  const std::shared_ptr<Impl>& Internal() const noexcept { return impl_; }

 private:
  std::shared_ptr<Impl> impl_;
};

enum class FieldKind {
  Label,       // a static text
  Edit,        // a text field
  Check,       // a check box
  DropList,    // a drop-down list: the user chooses an item
  Combo,       // a drop-down combo box: an item or any text
  Button,      // a push button
  ColourList,  // a colour list (ColourListItems, ListColour)
  Sample,      // the Caption page's sample
};

// A field of a page as the user sees it. Texts are UTF-8; "&" in a label marks its mnemonic.
struct PageField {
  int id = 0;
  FieldKind kind = FieldKind::Edit;
  std::string label;
  std::vector<std::string> items;  // lists and combo boxes
  std::string text;                // text fields, combo boxes, the sample
  int selected = -1;               // lists and combo boxes: the chosen item, -1 for none
  bool checked = false;            // check boxes
  bool enabled = true;
};

// An item of a colour list: the colour (0x00BBGGRR, or a system colour 0x800000nn) and its text.
struct ColourItem {
  std::uint32_t value = 0;
  std::string text;
};

// The property frame of a box, open on its form until Close (or until the form goes). A handle of
// a closed frame throws Error 5. Pages are numbered 0 to PageCount() - 1 in the frame's order.
class PropertyPages {
 public:
  static constexpr int kPageCount = 4;

  // The page of a title ("General", "Style", "Style2", "Caption"), -1 for none.
  int IndexOf(std::string_view title) const;
  std::string Title(int page) const;
  int Shown() const;
  // The user selects a page; with `focus` the focus goes to its first field.
  void Show(int page, bool focus = true);
  bool IsDirty() const;
  // The user's Apply: every page writes what it changed. The box's refusal, when it refused a
  // write (a message box said why and the pages keep what the user entered).
  std::optional<Error> Apply();
  // The page and the field holding the focus; nullopt when it is elsewhere.
  std::optional<std::pair<int, int>> Focused() const;
  void Close();
  // The frame showing `page` as the user sees it (an open list included).
  Picture Render(int page, bool fixedFont = false);

  std::vector<PageField> Fields(int page) const;
  // The field of that control id (an id of a label names the field it labels); nullopt for none.
  std::optional<PageField> Field(int page, int id) const;

  // What the user does to a field: the page is shown, the field takes the focus (the field left
  // runs its checks), then the input. False when there is no such field or it is disabled.
  bool Focus(int page, int id);
  bool Type(int page, int id, std::string_view utf8);
  bool Choose(int page, int id, int index);
  bool Check(int page, int id, bool on);
  bool Click(int page, int id);
  // The focus leaves the field: its checks run (ranges, the default, numbers).
  void Leave(int page, int id);

  // The colour list of a ColourList field; nullopt for other fields.
  std::optional<std::uint32_t> ListColour(int page, int id) const;
  std::vector<ColourItem> ListItems(int page, int id) const;
  // Opens or closes the colour list's drop-down.
  void DropDown(int page, int id, bool open);

  struct Impl;
  explicit PropertyPages(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

 private:
  std::shared_ptr<Impl> impl_;
};

// The common dialogs a page opens.
enum class DialogKind { Colour, OpenFile, Font };

// A font as the font dialog chooses it.
struct FontChoice {
  std::string name;  // UTF-8
  double size = 9;   // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  std::int32_t weight = 400;
  std::int32_t charset = 128;
};

// How the next dialog of a kind is answered (OK with these), when the host answers for the user.
struct DialogAnswer {
  std::uint32_t colour = 0;
  std::string path;  // UTF-8
  FontChoice font;
};

// A dialog that was opened, with what it was opened on.
struct DialogRecord {
  DialogKind kind = DialogKind::Colour;
  std::string owner;  // a box's name, "form", a page's title or "pages"; empty for none
  std::uint32_t colour = 0;
  std::string filter;  // UTF-8
  std::string path;    // UTF-8
  FontChoice font;
};

}  // namespace v1
}  // namespace vl
