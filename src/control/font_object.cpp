#include "control/font_object.h"

#include <cmath>

#include "text/encoding.h"

namespace vl {

win::LOGFONT FontDesc::ToLogFont() const {
  win::LOGFONT lf;
  lf.lfHeight = -static_cast<std::int32_t>(std::lround(static_cast<double>(sizeCy) / 10000.0 * 96.0 / 72.0));
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = underline ? 1 : 0;
  lf.lfStrikeOut = strikethrough ? 1 : 0;
  lf.lfCharSet = static_cast<std::uint8_t>(charset);
  lf.SetFaceName(name);
  return lf;
}

FontDesc DefaultCaptionFont() {
  FontDesc d;
  d.name = Cp932Literal("ＭＳ Ｐゴシック");
  d.sizeCy = 90000;
  d.weight = 700;
  d.bold = true;
  return d;
}

std::int64_t PointsToSizeCy(double points) { return static_cast<std::int64_t>(std::trunc(points * 10000.0)); }

void VlFont::SetDesc(const FontDesc& desc) {
  if (desc == desc_) return;
  desc_ = desc;
  Changed();
}

void VlFont::SetName(const std::string& name) {
  if (name == desc_.name) return;
  desc_.name = name;
  Changed();
}

void VlFont::SetSizeCy(std::int64_t size) {
  if (size == desc_.sizeCy) return;
  desc_.sizeCy = size;
  Changed();
}

void VlFont::SetBold(bool on) {
  if (on == desc_.bold) return;
  desc_.bold = on;
  desc_.weight = on ? 700 : 400;
  Changed();
}

void VlFont::SetItalic(bool on) {
  if (on == desc_.italic) return;
  desc_.italic = on;
  Changed();
}

void VlFont::SetUnderline(bool on) {
  if (on == desc_.underline) return;
  desc_.underline = on;
  Changed();
}

void VlFont::SetStrikethrough(bool on) {
  if (on == desc_.strikethrough) return;
  desc_.strikethrough = on;
  Changed();
}

void VlFont::Changed() {
  if (listener_) listener_();
}

}  // namespace vl
