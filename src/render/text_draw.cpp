#include "render/text_draw.h"

#include <algorithm>

#include "text/mbcs.h"

namespace vl {

namespace {

using win::DeviceContext;
using win::RECT;

int Width(const DeviceContext& dc, std::string_view text) { return win::GetTextExtentPoint32(dc, text).cx; }

// Bytes of `text` that fit `width` pixels, whole characters only.
int FittingBytes(const DeviceContext& dc, std::string_view text, int width) {
  int fit = 0;
  win::GetTextExtentExPoint(dc, text, width, &fit);
  return fit;
}

// Like FittingBytes, but never less than one character of a non-empty text, so that breaking a
// line always makes progress.
int PieceBytes(const DeviceContext& dc, std::string_view text, int width) {
  int n = FittingBytes(dc, text, width);
  if (n == 0 && !text.empty()) n = CharLengthAt(text, 0);
  return n;
}

// x of a text W wide in [left, right): centred halves are each truncated toward zero.
int AlignedLeft(int left, int right, int w, std::uint32_t flags) {
  if (flags & kDrawCenter) return left + ((right - left) / 2 - w / 2);
  if (flags & kDrawRight) return right - w;
  return left;
}

std::string_view Sub(std::string_view s, long from, long to) {
  const long n = static_cast<long>(s.size());
  from = std::clamp(from, 0L, n);
  to = std::clamp(to, from, n);
  return s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

// Highlight colours with the previous state kept for restoring.
struct Highlight {
  bool on = false;
  int mode = 0;
  win::COLORREF back = 0;
  win::COLORREF text = 0;

  void Begin(DeviceContext& dc) {
    if (on) return;
    on = true;
    mode = win::SetBkMode(dc, win::OPAQUE);
    back = win::SetBkColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHT));
    text = win::SetTextColor(dc, win::GetSysColor(win::COLOR_HIGHLIGHTTEXT));
  }
  void End(DeviceContext& dc) {
    if (!on) return;
    on = false;
    win::SetBkMode(dc, mode);
    win::SetBkColor(dc, back);
    win::SetTextColor(dc, text);
  }
};

void Output(DeviceContext& dc, int x, int y, const RECT& clip, std::string_view text) {
  if (!text.empty()) win::ExtTextOut(dc, x, y, win::ETO_CLIPPED, &clip, text);
}

}  // namespace

bool WrapTokenizer::Next(WrapToken& token) {
  if (done_) return false;
  enum class State { None, Single, Double };
  WrapToken current;
  State state = State::None;
  // A character of another kind than the token's closes the token and is read again next time.
  bool closed = false;
  while (!closed && p_ < text_.size()) {
    const char c = text_[p_];
    if (IsLeadByte(c) && p_ + 1 < text_.size()) {
      if (state == State::Single) {
        closed = true;
        continue;
      }
      current.text.append(text_.substr(p_, 2));
      current.isDoubleByte = 1;
      state = State::Double;
      p_ += 2;
    } else if (c == ' ') {
      if (state == State::None) {
        current.text.assign(1, ' ');
        ++p_;
      }
      closed = true;
    } else if (c == '\r') {
      current.endsLine = 1;
      ++p_;
      if (p_ < text_.size() && text_[p_] == '\n') ++p_;
      closed = true;
    } else if (state == State::Double) {
      closed = true;
    } else {
      current.text.push_back(c);
      state = State::Single;
      ++p_;
    }
  }
  // The end of the text closes one last token, empty or not, after which there are none.
  done_ = !closed;
  token = std::move(current);
  return true;
}

std::vector<WrapToken> TokenizeForWrap(std::string_view text) {
  std::vector<WrapToken> tokens;
  WrapTokenizer tokenizer(text);
  for (WrapToken token; tokenizer.Next(token);) tokens.push_back(std::move(token));
  return tokens;
}

WordWrapper::WordWrapper(const DeviceContext& dc, std::string_view text, int width)
    : dc_(dc), tokens_(text), width_(width) {}

void WordWrapper::BreakWhileTooWide() {
  while (true) {
    const int n = FittingBytes(dc_, line_, width_);
    if (n >= static_cast<int>(line_.size())) return;
    const int cut = n > 0 ? n : CharLengthAt(line_, 0);
    if (cut >= static_cast<int>(line_.size())) return;  // one character wider than the line stays whole
    ready_.push_back(line_.substr(0, static_cast<std::size_t>(cut)));
    line_.erase(0, static_cast<std::size_t>(cut));
  }
}

bool WordWrapper::Next(std::string& line) {
  while (ready_.empty() && !finished_) {
    WrapToken token;
    if (!tokens_.Next(token)) {
      finished_ = true;
      if (!line_.empty()) ready_.push_back(std::move(line_));
      break;
    }
    BreakWhileTooWide();
    std::string candidate = line_ + token.text;
    if (FittingBytes(dc_, candidate, width_) >= static_cast<int>(candidate.size())) {
      line_ = std::move(candidate);
    } else if (!token.isDoubleByte) {
      // A word that does not fit the rest of the line starts the next one. An empty line before
      // it is no line at all: a word wider than the box does not push a blank line out.
      if (!line_.empty()) ready_.push_back(line_);
      line_ = token.text;
    } else {
      line_ = std::move(candidate);  // two-byte runs break between any two characters
    }
    if (token.endsLine) {
      BreakWhileTooWide();
      ready_.push_back(line_);
      line_.clear();
    }
  }
  if (ready_.empty()) return false;
  line = std::move(ready_.front());
  ready_.pop_front();
  return true;
}

std::string WordWrapText(const DeviceContext& dc, std::string_view text, int width) {
  WordWrapper wrapper(dc, text, width);
  std::string out;
  bool first = true;
  for (std::string line; wrapper.Next(line); first = false) {
    if (!first) out += "\r\n";
    out += line;
  }
  return out;
}

namespace {

std::string ExpandTabs(std::string_view text) {
  std::string expanded;
  expanded.reserve(text.size());
  for (char c : text) {
    if (c == '\t') {
      expanded.append(8, ' ');
    } else {
      expanded.push_back(c);
    }
  }
  return expanded;
}

// Hands `emit` the pieces of one line broken at `width` on character boundaries.
template <typename Emit>
void BreakAtWidth(const DeviceContext& dc, std::string_view line, int width, Emit&& emit) {
  bool broken = false;
  while (FittingBytes(dc, line, width) < static_cast<int>(line.size())) {
    const int n = PieceBytes(dc, line, width);
    emit(line.substr(0, static_cast<std::size_t>(n)));
    line.remove_prefix(static_cast<std::size_t>(n));
    broken = true;
  }
  // The last piece of a broken line is not followed by an empty one.
  if (!(broken && line.empty())) emit(line);
}

}  // namespace

std::string CharWrapText(const DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t) {
  if (text.empty()) return {};
  const std::string expanded = ExpandTabs(text);
  const int width = rect.right - rect.left;
  std::string out;
  std::string_view rest_all = expanded;
  while (true) {
    const std::size_t br = rest_all.find("\r\n");
    BreakAtWidth(dc, rest_all.substr(0, br), width, [&](std::string_view piece) {
      out.append(piece);
      out += '\n';
    });
    if (br == std::string_view::npos) break;
    rest_all.remove_prefix(br + 2);
    if (rest_all.empty()) break;  // a final "\r\n" makes no extra line
  }
  return out;
}

std::vector<std::string> SplitDisplayLines(std::string_view wrapped) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t nl = wrapped.find('\n', start);
    if (nl == std::string_view::npos) {
      if (start < wrapped.size()) lines.emplace_back(wrapped.substr(start));
      break;
    }
    lines.emplace_back(wrapped.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

void DrawTextLine(DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t flags) {
  int x = AlignedLeft(rect.left, rect.right, Width(dc, text), flags);
  const int y = rect.top;
  if (flags & kDrawNoPrefix) {
    Output(dc, x, y, rect, text);
    return;
  }
  std::string plain;
  bool underlined = false;
  auto flush = [&] {
    Output(dc, x, y, rect, plain);
    x += Width(dc, plain);
    plain.clear();
  };
  for (std::size_t p = 0; p < text.size();) {
    if (text[p] != '&') {
      const auto len = static_cast<std::size_t>(CharLengthAt(text, p));
      plain.append(text.substr(p, len));
      p += len;
      continue;
    }
    std::size_t run = 0;
    while (p + run < text.size() && text[p + run] == '&') ++run;
    p += run;
    if (run >= 2) {
      // «&&» is one literal ampersand; the character after the run is plain.
      plain.append(run - 1, '&');
      continue;
    }
    if (p >= text.size()) break;  // a lone "&" at the end draws nothing
    const auto len = static_cast<std::size_t>(CharLengthAt(text, p));
    const std::string_view ch = text.substr(p, len);
    p += len;
    if (underlined) {
      plain.append(ch);
      continue;
    }
    flush();
    win::LOGFONT lf;
    win::HFONT current = win::GetCurrentFont(dc);
    if (!win::GetObject(current, lf)) lf = win::DefaultGuiLogFont();
    lf.lfUnderline = 1;
    win::HFONT underline = win::CreateFontIndirect(lf);
    win::HFONT previous = win::SelectObject(dc, underline);
    Output(dc, x, y, rect, ch);
    x += Width(dc, ch);
    win::SelectObject(dc, previous);
    win::DeleteObject(underline);
    underlined = true;
  }
  flush();
}

void DrawSingleLineText(DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t flags,
                        bool hideSelection, int selStart, int selEnd) {
  flags |= kDrawNoPrefix;
  RECT t{rect.left + 1, rect.top, rect.right - 1, rect.bottom};
  if (hideSelection) {
    DrawTextLine(dc, text, t, flags);
    return;
  }
  const std::string_view before = Sub(text, 0, selStart);
  const std::string_view selected = Sub(text, selStart, selEnd);
  const std::string_view after = Sub(text, std::max(selStart, selEnd), static_cast<long>(text.size()));
  const int w = Width(dc, text);
  const int b = Width(dc, before);
  const int s = Width(dc, selected);
  t.left = AlignedLeft(t.left, t.right, w, flags);
  flags &= ~(kDrawCenter | kDrawRight);
  DrawTextLine(dc, before, t, flags);
  Highlight highlight;
  highlight.Begin(dc);
  t.left += b;
  DrawTextLine(dc, selected, t, flags);
  highlight.End(dc);
  t.left += s;
  DrawTextLine(dc, after, t, flags);
}

namespace {

// The display lines of a multi-line text one at a time: what
// SplitDisplayLines(CharWrapText(WordWrapText(...))) gives, laid out only as far as asked.
class DisplayLines {
 public:
  DisplayLines(const DeviceContext& dc, std::string_view text, int width)
      : dc_(dc), words_(dc, text, width), width_(width) {
    haveNext_ = words_.Next(next_);
  }

  bool Next(std::string& out) {
    while (ready_.empty()) {
      if (!haveNext_) return false;
      std::string line = std::move(next_);
      haveNext_ = words_.Next(next_);
      if (line.empty() && !haveNext_) return false;  // a last empty line is no line
      Break(line);
    }
    out = std::move(ready_.front());
    ready_.pop_front();
    return true;
  }

 private:
  // One word-wrapped line, tabs expanded, in pieces of the width; each piece split at its line
  // feeds.
  void Break(std::string_view wrapped) {
    BreakAtWidth(dc_, ExpandTabs(wrapped), width_, [this](std::string_view piece) { Split(piece); });
  }

  void Split(std::string_view piece) {
    for (std::size_t start = 0;;) {
      const std::size_t nl = piece.find('\n', start);
      ready_.emplace_back(piece.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start));
      if (nl == std::string_view::npos) return;
      start = nl + 1;
    }
  }

  const DeviceContext& dc_;
  WordWrapper words_;
  int width_;
  std::string next_;
  bool haveNext_ = false;
  std::deque<std::string> ready_;
};

}  // namespace

void DrawMultiLineText(DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t flags,
                       std::uint32_t selection) {
  const int width = rect.right - rect.left;
  DisplayLines lines(dc, text, width);

  const long s = static_cast<long>(selection & 0xFFFFu);
  const long e = static_cast<long>(selection >> 16);
  const long a = static_cast<long>(RemoveAllOccurrences(Sub(text, 0, s), "\r\n").size());
  const long z = a + static_cast<long>(RemoveAllOccurrences(Sub(text, s, e), "\r\n").size());

  const std::uint32_t lineFlags = (flags & ~(kDrawCenter | kDrawRight)) | kDrawNoPrefix;
  // Every line draws inside its own cell, so a line wholly above or below the clip draws nothing:
  // those above are still laid out (their lengths place the selection and the highlight), and
  // layout stops at the first line below.
  const RECT clip = win::GetClipBox(dc);
  Highlight highlight;
  int top = rect.top;
  long p = 0;
  std::string line;
  while (top < clip.bottom && lines.Next(line)) {
    const long l = static_cast<long>(line.size());
    const win::SIZE extent = win::GetTextExtentPoint32(dc, line);
    RECT box{AlignedLeft(rect.left, rect.right, extent.cx, flags), top, rect.right, top + extent.cy};
    const bool meetsClip = box.bottom > clip.top;
    auto draw = [&](std::string_view piece) {
      if (meetsClip) DrawTextLine(dc, piece, box, lineFlags);
    };
    std::string_view rest = line;
    bool startedHere = false;
    if (p <= a && a < p + l) {
      const std::string_view head = Sub(line, 0, a - p);
      draw(head);
      box.left += Width(dc, head);
      highlight.Begin(dc);
      startedHere = true;
      if (p + l >= z) {
        const std::string_view mid = Sub(line, a - p, z - p);
        draw(mid);
        box.left += Width(dc, mid);
        highlight.End(dc);
        rest = Sub(line, z - p, l);
      } else {
        rest = Sub(line, a - p, l);
      }
    }
    if (!startedHere && highlight.on && p <= z && z < p + l) {
      const std::string_view head = Sub(rest, 0, z - p);
      draw(head);
      box.left += Width(dc, head);
      highlight.End(dc);
      rest = Sub(rest, z - p, static_cast<long>(rest.size()));
    }
    draw(rest);
    top += extent.cy;
    p += l;
  }
  highlight.End(dc);
}

RECT DrawEditAreaFrame(DeviceContext& dc, const RECT& outer, const EditAreaFrame& frame, double scale, bool drawSpin,
                       RECT& spinRect) {
  RECT r = outer;
  if (frame.bordered) {
    if (frame.threeD) {
      RECT edge = r;
      win::DrawEdge(dc, edge, win::EDGE_SUNKEN, win::BF_RECT);
      const int cx = win::GetSystemMetrics(win::SM_CXEDGE);
      const int cy = win::GetSystemMetrics(win::SM_CYEDGE);
      r = RECT{r.left + cx, r.top + cy, r.right - cx, r.bottom - cy};
    } else {
      win::FrameRect(dc, r, win::GetSysColorBrush(win::COLOR_WINDOWFRAME));
      r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
  }
  spinRect = RECT{};
  if (drawSpin && frame.spinPosition != 0) {
    const int w = static_cast<int>(win::GetSystemMetrics(win::SM_CXVSCROLL) * scale);
    spinRect = outer;
    if (frame.spinPosition == 1) {
      spinRect.right = outer.left + w;
    } else {
      spinRect.left = outer.right - w;
    }
    const int h = (spinRect.bottom - spinRect.top) / 2;
    RECT up{spinRect.left, spinRect.top, spinRect.right, spinRect.top + h};
    RECT down{spinRect.left, spinRect.bottom - h, spinRect.right, spinRect.bottom};
    win::DrawFrameControl(dc, up, win::DFC_SCROLL, win::DFCS_SCROLLUP);
    win::DrawFrameControl(dc, down, win::DFC_SCROLL, win::DFCS_SCROLLDOWN);
    if (frame.spinPosition == 2) {
      r.right -= w;
    } else {
      r.left += w;
    }
  }
  return r;
}

bool TextFitsArea(const DeviceContext& dc, std::string_view text, const RECT& rect, bool threeD, bool spin) {
  int available = rect.Width() - (threeD ? 2 * win::GetSystemMetrics(win::SM_CXEDGE) : 2);
  if (spin) available -= win::GetSystemMetrics(win::SM_CXVSCROLL);
  return Width(dc, text) <= available;
}

}  // namespace vl
