// Display text drawing: the text of a box that is not being edited, its wrap for a multi-line
// box, and the one-line primitive that captions and the check box label share.
//
// Texts are CP932 byte strings; every position is a byte position and a two-byte character is
// never cut. Drawing keeps no state between calls: what a call changes in the device context
// (font, background mode, colours) it restores before it returns, except the highlight colours
// of a multi-line selection, which stay in force from the line where the selection starts to the
// line where it ends.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi.h"

namespace vl {

// Drawing flags. Neither centre nor right is left; other bits travel along and mean nothing here
// (caption alignment adds 0x20 and its vertical bits).
inline constexpr std::uint32_t kDrawCenter = 0x0001;
inline constexpr std::uint32_t kDrawRight = 0x0002;
inline constexpr std::uint32_t kDrawNoPrefix = 0x0800;  // an "&" is drawn as itself

// A selection as one 32-bit word: start in the low 16 bits, end in the high 16 bits.
constexpr std::uint32_t PackSelection(int start, int end) {
  return (static_cast<std::uint32_t>(start) & 0xFFFFu) | ((static_cast<std::uint32_t>(end) & 0xFFFFu) << 16);
}

// One unit of word wrapping: a run of one-byte characters, a run of two-byte characters, or a
// single space. `endsLine` when a carriage return followed it in the text.
struct WrapToken {
  int isDoubleByte = 0;
  int endsLine = 0;
  std::string text;
  friend bool operator==(const WrapToken&, const WrapToken&) = default;
};

// The tokens of a text, as word wrapping sees it: "ab 漢字\r\ncd" gives «ab», « », «漢字» (ends the
// line), «cd». A carriage return closes the token before it even when that one is empty, so
// "\r\n\r\n" yields two empty tokens that each end a line.
std::vector<WrapToken> TokenizeForWrap(std::string_view text);

// The same tokens one at a time, so that wrapping can stop once it has the lines it needs.
class WrapTokenizer {
 public:
  explicit WrapTokenizer(std::string_view text) : text_(text) {}
  // The next token; false after the last.
  bool Next(WrapToken& token);

 private:
  std::string_view text_;
  std::size_t p_ = 0;
  bool done_ = false;
};

// Word wrapping (as WordWrapText below) one line at a time: a text is laid out only as far as its
// reader asks, so drawing the first lines of a long text costs what those lines cost.
class WordWrapper {
 public:
  WordWrapper(const win::DeviceContext& dc, std::string_view text, int width);
  // The next line; false after the last.
  bool Next(std::string& line);

 private:
  void BreakWhileTooWide();

  const win::DeviceContext& dc_;
  WrapTokenizer tokens_;
  int width_;
  std::deque<std::string> ready_;
  std::string line_;
  bool finished_ = false;
};

// Lines of at most `width` pixels, joined by "\r\n". Words move to the next line whole; a word
// wider than the line and a run of two-byte characters are broken at character boundaries; a
// carriage return always ends a line, also when the word before it had to move down.
std::string WordWrapText(const win::DeviceContext& dc, std::string_view text, int width);

// Breaks every line of a word-wrapped text (tabs expanded to eight spaces) at the rectangle's
// width on character boundaries; every piece, the last one too, is followed by "\n". A piece holds
// at least one character, so a rectangle narrower than one character gives one per line.
std::string CharWrapText(const win::DeviceContext& dc, std::string_view text, const win::RECT& rect, std::uint32_t flags);

// The display lines of a char-wrapped text: split at "\n", the piece after the last "\n" only
// when it is not empty.
std::vector<std::string> SplitDisplayLines(std::string_view wrapped);

// One line at the rectangle's top, aligned by flags 1 and 2 and clipped to the rectangle. Without
// kDrawNoPrefix ampersands mark mnemonics: «a&&b» draws «a&b», «&File» draws «File» with the F
// underlined (only the first such character of the text), «&&&x» draws «&&x», and a lone «&» at
// the end draws nothing.
void DrawTextLine(win::DeviceContext& dc, std::string_view text, const win::RECT& rect, std::uint32_t flags);

// A single-line display text inset one pixel left and right. With `hideSelection` the text is one
// piece; otherwise the bytes from selStart to selEnd are drawn in the highlight colours, the
// whole text aligned once.
void DrawSingleLineText(win::DeviceContext& dc, std::string_view text, const win::RECT& rect, std::uint32_t flags,
                        bool hideSelection, int selStart, int selEnd);

// A multi-line display text: word- then character-wrapped to the rectangle's width and drawn one
// line below the other, each line aligned by itself. `selection` (packed; 0 for none) counts bytes
// of the text with its line breaks removed, so a tab before the selection shifts the highlight.
void DrawMultiLineText(win::DeviceContext& dc, std::string_view text, const win::RECT& rect, std::uint32_t flags,
                       std::uint32_t selection);

// The frame and spin arrows of a text area.
struct EditAreaFrame {
  bool bordered = false;
  bool threeD = false;
  int spinPosition = 0;  // 0 none, 1 left, 2 right
};

// Draws the frame (a sunken edge with the 3-D style, else one WINDOWFRAME line) and, when
// `drawSpin`, the spin arrows; returns what is left for the text. The spin strip, SM_CXVSCROLL ×
// `scale` wide, spans the outer rectangle's full height over the frame on its side; it is stored
// in `spinRect` (empty without a spin).
win::RECT DrawEditAreaFrame(win::DeviceContext& dc, const win::RECT& outer, const EditAreaFrame& frame, double scale,
                            bool drawSpin, win::RECT& spinRect);

// Whether a single-line text fits a text area: the rectangle less the frame (2 pixels, or twice
// SM_CXEDGE with the 3-D style) and, with a spin button, SM_CXVSCROLL.
bool TextFitsArea(const win::DeviceContext& dc, std::string_view text, const win::RECT& rect, bool threeD, bool spin);

}  // namespace vl
