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

std::vector<WrapToken> TokenizeForWrap(std::string_view text) {
  enum class State { None, Single, Double };
  std::vector<WrapToken> tokens;
  WrapToken current;
  State state = State::None;
  auto close = [&] {
    tokens.push_back(std::move(current));
    current = WrapToken{};
  };
  for (std::size_t p = 0; p < text.size();) {
    const char c = text[p];
    if (IsLeadByte(c) && p + 1 < text.size()) {
      if (state == State::Single) close();
      current.text.append(text.substr(p, 2));
      current.isDoubleByte = 1;
      state = State::Double;
      p += 2;
    } else if (c == ' ') {
      if (state != State::None) close();
      current.text.assign(1, ' ');
      close();
      state = State::None;
      ++p;
    } else if (c == '\r') {
      current.endsLine = 1;
      close();
      state = State::None;
      ++p;
      if (p < text.size() && text[p] == '\n') ++p;
    } else {
      if (state == State::Double) close();
      current.text.push_back(c);
      state = State::Single;
      ++p;
    }
  }
  close();
  return tokens;
}

std::string WordWrapText(const DeviceContext& dc, std::string_view text, int width) {
  std::vector<std::string> lines;
  std::string line;
  auto breakWhileTooWide = [&] {
    while (true) {
      const int n = FittingBytes(dc, line, width);
      if (n >= static_cast<int>(line.size())) return;
      const int cut = n > 0 ? n : CharLengthAt(line, 0);
      if (cut >= static_cast<int>(line.size())) return;  // one character wider than the line stays whole
      lines.push_back(line.substr(0, static_cast<std::size_t>(cut)));
      line.erase(0, static_cast<std::size_t>(cut));
    }
  };
  for (const WrapToken& token : TokenizeForWrap(text)) {
    breakWhileTooWide();
    std::string candidate = line + token.text;
    if (FittingBytes(dc, candidate, width) >= static_cast<int>(candidate.size())) {
      line = std::move(candidate);
    } else if (!token.isDoubleByte) {
      // A word that does not fit the rest of the line starts the next one. An empty line before
      // it is no line at all: a word wider than the box does not push a blank line out.
      if (!line.empty()) lines.push_back(line);
      line = token.text;
    } else {
      line = std::move(candidate);  // two-byte runs break between any two characters
    }
    if (token.endsLine) {
      breakWhileTooWide();
      lines.push_back(line);
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines[i];
  }
  return out;
}

std::string CharWrapText(const DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t) {
  if (text.empty()) return {};
  std::string expanded;
  for (char c : text) {
    if (c == '\t') {
      expanded.append(8, ' ');
    } else {
      expanded.push_back(c);
    }
  }
  const int width = rect.right - rect.left;
  std::string out;
  std::string_view rest_all = expanded;
  while (true) {
    const std::size_t br = rest_all.find("\r\n");
    std::string_view line = rest_all.substr(0, br);
    bool broken = false;
    while (FittingBytes(dc, line, width) < static_cast<int>(line.size())) {
      const int n = PieceBytes(dc, line, width);
      out.append(line.substr(0, static_cast<std::size_t>(n)));
      out += '\n';
      line.remove_prefix(static_cast<std::size_t>(n));
      broken = true;
    }
    // The last piece of a broken line is not followed by an empty one.
    if (!(broken && line.empty())) {
      out.append(line);
      out += '\n';
    }
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

void DrawMultiLineText(DeviceContext& dc, std::string_view text, const RECT& rect, std::uint32_t flags,
                       std::uint32_t selection) {
  const int width = rect.right - rect.left;
  const std::string wrapped = CharWrapText(dc, WordWrapText(dc, text, width), rect, flags);
  const std::vector<std::string> lines = SplitDisplayLines(wrapped);

  const long s = static_cast<long>(selection & 0xFFFFu);
  const long e = static_cast<long>(selection >> 16);
  const long a = static_cast<long>(RemoveAllOccurrences(Sub(text, 0, s), "\r\n").size());
  const long z = a + static_cast<long>(RemoveAllOccurrences(Sub(text, s, e), "\r\n").size());

  const std::uint32_t lineFlags = (flags & ~(kDrawCenter | kDrawRight)) | kDrawNoPrefix;
  Highlight highlight;
  int top = rect.top;
  long p = 0;
  for (const std::string& line : lines) {
    const long l = static_cast<long>(line.size());
    const win::SIZE extent = win::GetTextExtentPoint32(dc, line);
    RECT box{AlignedLeft(rect.left, rect.right, extent.cx, flags), top, rect.right, top + extent.cy};
    std::string_view rest = line;
    bool startedHere = false;
    if (p <= a && a < p + l) {
      const std::string_view head = Sub(line, 0, a - p);
      DrawTextLine(dc, head, box, lineFlags);
      box.left += Width(dc, head);
      highlight.Begin(dc);
      startedHere = true;
      if (p + l >= z) {
        const std::string_view mid = Sub(line, a - p, z - p);
        DrawTextLine(dc, mid, box, lineFlags);
        box.left += Width(dc, mid);
        highlight.End(dc);
        rest = Sub(line, z - p, l);
      } else {
        rest = Sub(line, a - p, l);
      }
    }
    if (!startedHere && highlight.on && p <= z && z < p + l) {
      const std::string_view head = Sub(rest, 0, z - p);
      DrawTextLine(dc, head, box, lineFlags);
      box.left += Width(dc, head);
      highlight.End(dc);
      rest = Sub(rest, z - p, static_cast<long>(rest.size()));
    }
    DrawTextLine(dc, rest, box, lineFlags);
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
