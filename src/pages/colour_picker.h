// The colour picker of the Caption page: an owner-drawn drop-down list of colours with two modes.
//
// Palette mode (each time the list drops down normally): "*System Color", "*New Color", the
// current colour, then the shared palette's other colours. System-colour mode (right after
// "*System Color" was chosen): the 25 system colours by their Japanese names. "*New Color" opens
// the colour dialog (CVlColorDialog); a colour not in the list yet goes in right after the
// command and to the front of the shared palette, so every colour list offers it from then on.
// After every choice the list tells its owner the colour, which the page stores as the caption's
// TextColor or BackColor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/property_page.h"
#include "platform/gdi.h"

namespace vl::pages {

inline constexpr std::uint32_t kSystemColourCommand = 0xF1000000;  // "*System Color"
inline constexpr std::uint32_t kNewColourCommand = 0xF2000000;     // "*New Color"
inline constexpr std::uint32_t kSystemColourBase = 0x80000000;
inline constexpr int kSystemColourCount = 25;
inline constexpr int kColourItemHeight = 16;

// The colours chosen before, newest first, shared by every colour list that was given it. The
// first list fills it with eleven standard colours.
class SharedPalette {
 public:
  void FillOnce();
  // Puts a colour at the front; false (and nothing moves) when it is there already.
  bool Add(std::uint32_t colour);
  const std::vector<std::uint32_t>& Colours() const { return colours_; }

 private:
  std::vector<std::uint32_t> colours_;
  bool filled_ = false;
};

// The platform's colour dialog, as the component opens it: started on the current colour.
class CVlColorDialog {
 public:
  explicit CVlColorDialog(std::uint32_t colour) : colour_(colour) {}
  // True when the user chose a colour (then Colour() is it, 0x00BBGGRR).
  bool DoModal(PageServices& services);
  std::uint32_t Colour() const { return colour_; }

 private:
  std::uint32_t colour_;
};

class ColourList {
 public:
  explicit ColourList(SharedPalette& palette);

  void SetServices(PageServices* services) { services_ = services; }
  // The owner hears of every choice with the colour chosen.
  void SetOwner(std::function<void(std::uint32_t)> owner) { owner_ = std::move(owner); }
  // Opens the list again (the window does it; without one the list just drops down anew).
  void SetReopen(std::function<void()> reopen) { reopen_ = std::move(reopen); }
  // Called whenever the items or the selection changed.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

  // The page's colour: palette mode with it selected.
  void SetColour(std::uint32_t colour);
  std::uint32_t Colour() const { return colour_; }
  const std::vector<std::uint32_t>& Items() const { return items_; }
  int Selected() const { return selected_; }

  // The list drops down: filled anew for its mode.
  void DropDown();
  // The user chose item `index` (0-based).
  void Choose(int index);

 private:
  void FillPalette();
  void FillSystem();
  void Changed();

  SharedPalette& palette_;
  PageServices* services_ = nullptr;
  std::function<void(std::uint32_t)> owner_;
  std::function<void()> reopen_;
  std::function<void()> listener_;
  std::vector<std::uint32_t> items_;
  int selected_ = -1;
  std::uint32_t colour_ = 0;
  bool systemMode_ = false;
};

// The text an item shows (CP932): the command's name, the system colour's Japanese name, or the
// colour as eight hexadecimal digits («00FF0000»).
std::string ColourItemText(std::uint32_t value);
// An OLE colour as the screen shows it (system colours resolved), 0x00BBGGRR.
std::uint32_t TranslateOleColour(std::uint32_t colour);
// Draws one item: the swatch framed in the inverse of the window colour, the text after it, and
// the selection frame (in the window colour when not selected).
void DrawColourItem(win::DeviceContext& dc, const win::RECT& rect, std::uint32_t value, bool selected);

}  // namespace vl::pages
