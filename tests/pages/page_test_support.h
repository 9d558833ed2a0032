// Shared by the property pages' tests: a design-time form with one box, and page services that
// write down what the page asked and answer as told.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/form.h"
#include "pages/property_page.h"
#include "text/encoding.h"

namespace vl::pages::test {

class FakeServices : public PageServices {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(Cp932ToUtf8(text)); }
  bool BrowseFile(const std::string& f, std::string& path) override {
    filters.push_back(f);
    if (!file) return false;
    path = *file;
    return true;
  }
  bool ChooseFont(FontDesc& f) override {
    fontAsked = f;
    if (!font) return false;
    f = *font;
    return true;
  }
  bool ChooseColour(std::uint32_t& c) override {
    colourAsked = c;
    if (!colour) return false;
    c = *colour;
    return true;
  }
  // The messages shown since the last call, UTF-8, joined by " / ".
  std::string Messages() {
    std::string out;
    for (const std::string& m : messages) out += (out.empty() ? "" : " / ") + m;
    messages.clear();
    return out;
  }

  std::vector<std::string> messages;
  std::vector<std::string> filters;
  std::optional<std::string> file;
  std::optional<FontDesc> font;
  std::optional<std::uint32_t> colour;
  std::optional<FontDesc> fontAsked;
  std::optional<std::uint32_t> colourAsked;
};

class DesignForm : public ::testing::Test {
 protected:
  Variant Get(std::int32_t dispid) { return box.GetProperty(dispid); }
  void Put(std::int32_t dispid, const Variant& v) { box.SetProperty(dispid, v); }
  // The properties notified since the last call, by dispatch id, joined by spaces.
  std::string Notified() {
    std::string out;
    for (const NotificationRecord& n : form.TakeNotifications())
      out += (out.empty() ? "" : " ") + std::to_string(n.dispid);
    return out;
  }

  Form form{false};
  CVlTypedBoxCtrl& box = form.AddBox("b", win::RECT{0, 0, 200, 60});
  FakeServices services;
};

inline std::string Sjis(const char* utf8) { return Cp932Literal(utf8); }

}  // namespace vl::pages::test
