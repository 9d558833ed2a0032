#include "pages/colour_picker.h"

#include <gtest/gtest.h>

#include "page_test_support.h"
#include "platform/fixed_font.h"

namespace vl::pages {
namespace {

using test::FakeServices;

constexpr std::uint32_t kStandard[] = {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
                                       0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};

class ColourPicker : public ::testing::Test {
 protected:
  ColourPicker() {
    list.SetServices(&services);
    list.SetOwner([this](std::uint32_t c) { told.push_back(c); });
  }
  std::vector<std::uint32_t> Palette() const { return palette.Colours(); }

  SharedPalette palette;
  ColourList list{palette};
  FakeServices services;
  std::vector<std::uint32_t> told;
};

TEST_F(ColourPicker, TheFirstListFillsTheSharedPaletteOnce) {
  EXPECT_EQ(Palette(), std::vector<std::uint32_t>(std::begin(kStandard), std::end(kStandard)));
  palette.Add(0x123456);
  ColourList second(palette);
  EXPECT_EQ(Palette().size(), 12u) << "a second list does not fill it again";
  EXPECT_FALSE(palette.Add(0xFF0000)) << "a colour already there stays where it is";
  EXPECT_EQ(Palette().front(), 0x123456u);
}

TEST_F(ColourPicker, PaletteModeShowsTheCommandsTheColourAndTheOtherColours) {
  list.SetColour(0x00FF00);
  ASSERT_EQ(list.Items().size(), 13u);
  EXPECT_EQ(list.Items()[0], kSystemColourCommand);
  EXPECT_EQ(list.Items()[1], kNewColourCommand);
  EXPECT_EQ(list.Items()[2], 0x00FF00u);
  EXPECT_EQ(list.Items()[3], 0xFF0000u);
  EXPECT_EQ(list.Items()[4], 0xFFFF00u) << "the current colour is not offered twice";
  EXPECT_EQ(list.Selected(), 2);
  list.SetColour(0x80000012);
  EXPECT_EQ(Palette().front(), 0x80000012u) << "the current colour joins the palette";
  EXPECT_EQ(list.Items().size(), 14u);
}

struct SystemRow {
  const char* name;
  std::uint32_t colour;
  int selected;
  std::uint32_t after;
};

TEST_F(ColourPicker, SystemModeListsTheTwentyFiveSystemColours) {
  const SystemRow rows[] = {
      {"a system colour is selected", 0x8000000F, 15, 0x8000000F},
      {"the last one", 0x80000018, 24, 0x80000018},
      {"an RGB colour starts at the top", 0x336699, 0, 0x80000000},
      {"the first system colour", 0x80000000, 0, 0x80000000},
  };
  for (const SystemRow& row : rows) {
    list.SetColour(row.colour);
    told.clear();
    list.Choose(0);  // "*System Color": the list opens again, in system-colour mode
    ASSERT_EQ(list.Items().size(), 25u) << row.name;
    EXPECT_EQ(list.Items()[24], 0x80000018u) << row.name;
    EXPECT_EQ(list.Selected(), row.selected) << row.name;
    EXPECT_EQ(list.Colour(), row.after) << row.name;
    EXPECT_EQ(told, std::vector<std::uint32_t>{row.after}) << row.name;
    list.DropDown();
    EXPECT_EQ(list.Items()[0], kSystemColourCommand) << row.name << ": the next drop-down is the palette again";
  }
}

struct NewColourRow {
  const char* name;
  std::optional<std::uint32_t> answer;
  std::uint32_t colour;
  std::size_t items;
  int selected;
  std::size_t palette;
};

TEST_F(ColourPicker, NewColourAddsAColourOnlyWhenItIsNew) {
  const NewColourRow rows[] = {
      {"cancelled", std::nullopt, 0xC0C0C0, 13, 2, 11},
      {"a colour in the list", 0x0000FF, 0x0000FF, 13, 6, 11},
      {"a new colour", 0x336699, 0x336699, 14, 2, 12},
  };
  for (const NewColourRow& row : rows) {
    SharedPalette fresh;
    ColourList l(fresh);
    l.SetServices(&services);
    std::vector<std::uint32_t> heard;
    l.SetOwner([&](std::uint32_t c) { heard.push_back(c); });
    l.SetColour(0xC0C0C0);
    services.colour = row.answer;
    l.Choose(1);
    EXPECT_EQ(services.colourAsked, 0xC0C0C0u) << row.name << ": the dialog starts on the colour";
    EXPECT_EQ(l.Colour(), row.colour) << row.name;
    EXPECT_EQ(l.Items().size(), row.items) << row.name;
    EXPECT_EQ(l.Selected(), row.selected) << row.name;
    EXPECT_EQ(l.Items()[static_cast<std::size_t>(l.Selected())], row.colour) << row.name;
    EXPECT_EQ(fresh.Colours().size(), row.palette) << row.name;
    EXPECT_EQ(fresh.Colours().front(), row.palette == 12 ? row.colour : 0xFF0000u)
        << row.name << ": a colour already there stays in place";
    EXPECT_EQ(heard, std::vector<std::uint32_t>{row.colour}) << row.name;
  }
}

TEST_F(ColourPicker, ANewColourReachesEveryListOfThePalette) {
  ColourList other(palette);
  other.SetColour(0xFFFFFF);
  list.SetColour(0x000000);
  services.colour = 0x102030;
  list.Choose(1);
  other.DropDown();
  EXPECT_EQ(other.Items()[3], 0x102030u) << "first among the other colours";
}

TEST_F(ColourPicker, ChoosingAColourTellsTheOwner) {
  list.SetColour(0x00FF00);
  list.Choose(5);
  EXPECT_EQ(list.Colour(), list.Items()[5]);
  EXPECT_EQ(told, std::vector<std::uint32_t>{list.Items()[5]});
  list.Choose(99);
  EXPECT_EQ(told.size(), 1u) << "no such item, no choice";
}

TEST(ColourItemText, NamesCommandsSystemColoursAndHexDigits) {
  const std::pair<std::uint32_t, const char*> rows[] = {
      {kSystemColourCommand, "*System Color"},
      {kNewColourCommand, "*New Color"},
      {0x80000000, "ｽｸﾛｰﾙ ﾊﾞｰ"},
      {0x8000000F, "ﾎﾞﾀﾝの表面"},
      {0x80000018, "ﾂｰﾙ ﾋﾝﾄ"},
      {0x80000019, "80000019"},
      {0x000000FF, "000000FF"},
      {0x00FF0000, "00FF0000"},
  };
  for (const auto& [value, text] : rows) EXPECT_EQ(Cp932ToUtf8(ColourItemText(value)), text) << std::hex << value;
}

TEST(DrawColourItem, DrawsTheSwatchTheTextAndTheSelectionFrame) {
  win::FixedFontBackend fonts;
  const win::COLORREF window = win::GetSysColor(win::COLOR_WINDOW);
  const win::COLORREF inverse = window ^ 0xFFFFFF;
  for (const bool selected : {true, false}) {
    win::Surface s(100, 16, 0x123456);
    win::DeviceContext dc(&s, fonts);
    DrawColourItem(dc, win::RECT{0, 0, 100, 16}, 0x0000FF, selected);
    EXPECT_EQ(s.GetPixel(8, 8), 0x0000FFu) << "the swatch is filled with the colour";
    EXPECT_EQ(s.GetPixel(3, 3), inverse) << "and framed in the inverse window colour";
    EXPECT_EQ(s.GetPixel(2, 2), window) << "3 pixels in from the item";
    EXPECT_EQ(s.GetPixel(50, 1), selected ? inverse : window) << "the selection frame";
    EXPECT_EQ(s.GetPixel(50, 0), window);
  }
  win::Surface s(100, 16);
  win::DeviceContext dc(&s, fonts);
  DrawColourItem(dc, win::RECT{0, 0, 100, 16}, kSystemColourCommand, false);
  EXPECT_EQ(s.GetPixel(8, 8), win::GetSysColor(win::COLOR_BACKGROUND)) << "the command shows system colour 1";
  bool ink = false;
  for (int x = 16; x < 22; ++x) ink = ink || s.GetPixel(x, 5) != window;
  EXPECT_TRUE(ink) << "the text starts one item height in";
}

}  // namespace
}  // namespace vl::pages
