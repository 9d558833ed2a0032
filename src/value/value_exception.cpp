#include "value/value_exception.h"

#include "resources/string_table.h"
#include "text/mbcs.h"

namespace vl {

CVlValueException::CVlValueException(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue,
                                     std::uint32_t focusWindow)
    : code_(code), errValue_(std::move(errValue)), fallbackValue_(std::move(fallbackValue)), focusWindow_(focusWindow) {}

void CVlValueException::SetMessage(std::string_view cp932) {
  messageInitialised_ = true;
  // A cut that would split a double-byte character cuts before it: a lone lead byte would be
  // corrupt text in the message box.
  message_ = std::string(MbcsCutBytes(cp932, kMessageCapacity));
  messagePresent_ = !message_.empty();
}

std::optional<std::string> CVlValueException::Message() const {
  if (!messageInitialised_) {
    messageInitialised_ = true;
    message_ = std::string(MbcsCutBytes(LoadResourceString(code_), kMessageCapacity));
    messagePresent_ = !message_.empty();
  }
  if (!messagePresent_) return std::nullopt;
  return message_;
}

void ThrowValueError(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue, std::uint32_t focusWindow) {
  throw CVlValueException(code, std::move(errValue), std::move(fallbackValue), focusWindow);
}

void ThrowUserValueError(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue,
                         std::uint32_t focusWindow) {
  CVlValueException e(code, std::move(errValue), std::move(fallbackValue), focusWindow);
  e.SetMessage(e.ErrValue().Type() == VarType::Bstr ? e.ErrValue().AsBstr() : std::string());
  throw e;
}

}  // namespace vl
