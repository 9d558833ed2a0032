// CVlValueException: a conversion or validation failure on its way to the property boundary or
// to the ValueError event.
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "value/typed_value.h"

namespace vl {

class CVlValueException : public std::exception {
 public:
  static constexpr std::size_t kMessageCapacity = 127;  // bytes, terminator not counted

  CVlValueException(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue, std::uint32_t focusWindow);

  std::uint32_t Code() const { return code_; }
  const TypedValue& ErrValue() const { return errValue_; }
  const TypedValue& FallbackValue() const { return fallbackValue_; }
  std::uint32_t FocusWindow() const { return focusWindow_; }
  void SetFallbackValue(TypedValue v) { fallbackValue_ = std::move(v); }
  void SetFocusWindow(std::uint32_t w) { focusWindow_ = w; }

  // An explicit message (host codes): cut to 127 bytes, never inside a double-byte character;
  // an empty text leaves the message absent.
  void SetMessage(std::string_view cp932);
  // The message: loaded from the string-table entry of the code on first read, unless set.
  std::optional<std::string> Message() const;
  // Message or the empty text.
  std::string MessageText() const { return Message().value_or(std::string()); }

  const char* what() const noexcept override { return "CVlValueException"; }

 private:
  mutable bool messageInitialised_ = false;
  mutable bool messagePresent_ = false;
  mutable std::string message_;
  std::uint32_t code_;
  TypedValue errValue_;
  TypedValue fallbackValue_;
  std::uint32_t focusWindow_;
};

// Raises CVlValueException with the default message of the code.
[[noreturn]] void ThrowValueError(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue,
                                  std::uint32_t focusWindow);
// The user variant: the message is taken from ErrValue when it holds a String.
[[noreturn]] void ThrowUserValueError(std::uint32_t code, TypedValue errValue, TypedValue fallbackValue,
                                      std::uint32_t focusWindow);

}  // namespace vl
