#include "format/format_sections.h"

#include "text/mbcs.h"

namespace vl {
namespace {

// Length in bytes of the section separator that starts at byte p, or 0 when none does.
// The caller guarantees p is the start of a character.
std::size_t SeparatorLengthAt(std::string_view text, std::size_t p) {
  if (text[p] == ';') return 1;
  if (p + 1 < text.size() && static_cast<unsigned char>(text[p]) == 0x81 &&
      static_cast<unsigned char>(text[p + 1]) == 0x47) {
    return 2;
  }
  return 0;
}

}  // namespace

std::vector<std::string> SplitFormatSections(std::string_view format) {
  std::vector<std::string> sections;
  if (format.empty()) return sections;

  // One pass over whole characters. `start` is where the current section began; a separator
  // right after a single-byte backslash stays inside the section (the backslash too).
  std::size_t start = 0;
  bool afterBackslash = false;
  std::size_t p = 0;
  while (p < format.size()) {
    const std::size_t sep = SeparatorLengthAt(format, p);
    if (sep != 0 && !afterBackslash) {
      sections.emplace_back(format.substr(start, p - start));
      p += sep;
      start = p;
      continue;
    }
    const int len = CharLengthAt(format, p);
    afterBackslash = (sep == 0 && len == 1 && format[p] == '\\');
    p += static_cast<std::size_t>(len);
  }
  sections.emplace_back(format.substr(start));
  return sections;
}

FormatSectionSet MakeFormatSectionSet(std::string_view format) {
  FormatSectionSet set;
  std::vector<std::string> sections = SplitFormatSections(format);
  if (!sections.empty()) set.positive = std::move(sections[0]);
  auto take = [&sections](std::size_t index, std::string& text, bool& present) {
    if (index < sections.size() && !sections[index].empty()) {
      text = std::move(sections[index]);
      present = true;
    }
  };
  take(1, set.negative, set.hasNegative);
  take(2, set.zero, set.hasZero);
  take(3, set.null, set.hasNull);
  return set;
}

std::string JoinFormatSectionSet(const FormatSectionSet& sections) {
  std::string text = sections.positive;
  int placed = 0;  // index of the last section written
  auto place = [&](int index, bool present, const std::string& section) {
    if (!present) return;
    text.append(static_cast<std::size_t>(index - placed), ';');
    text += section;
    placed = index;
  };
  place(1, sections.hasNegative, sections.negative);
  place(2, sections.hasZero, sections.zero);
  place(3, sections.hasNull, sections.null);
  return text;
}

StringFormatParts SplitStringFormat(std::string_view format) {
  StringFormatParts parts;
  std::vector<std::string> sections = SplitFormatSections(format);
  if (sections.empty()) return parts;
  parts.mask = std::move(sections[0]);
  for (std::size_t i = 1; i < sections.size(); ++i) parts.nullText += sections[i];
  return parts;
}

std::string ShownNullText(std::string_view nullText) {
  std::string shown;
  bool inQuotes = false;
  bool escaped = false;
  for (std::size_t p = 0; p < nullText.size();) {
    const std::size_t len = static_cast<std::size_t>(CharLengthAt(nullText, p));
    const std::string_view ch = nullText.substr(p, len);
    p += len;
    if (escaped) {
      escaped = false;
      shown += ch;
    } else if (ch == "\"") {
      inQuotes = !inQuotes;
    } else if (ch == "\\" && !inQuotes) {
      escaped = true;  // a backslash at the very end shows nothing
    } else {
      shown += ch;
    }
  }
  return shown;
}

std::string JoinStringFormat(const StringFormatParts& parts) {
  if (parts.nullText.empty()) return parts.mask;
  std::string text;
  text.reserve(parts.mask.size() + 1 + parts.nullText.size());
  text += parts.mask;
  text += ';';
  text += parts.nullText;
  return text;
}

}  // namespace vl
