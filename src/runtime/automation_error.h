// The error a property call ends with, as the host sees it: a code and a message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vl {

// Standard automation error codes the control raises.
inline constexpr std::int32_t kErrInvalidProcedureCall = 5;
inline constexpr std::int32_t kErrOverflow = 6;
inline constexpr std::int32_t kErrTypeMismatch = 13;
inline constexpr std::int32_t kErrInvalidPropertyValue = 380;
inline constexpr std::int32_t kErrInvalidArrayIndex = 381;
inline constexpr std::int32_t kErrSetNotSupported = 383;
inline constexpr std::int32_t kErrGetNotSupported = 394;

class AutomationError : public std::exception {
 public:
  // message is CP932 text; an empty message means the standard description of the code.
  AutomationError(std::int32_t code, std::string message);

  std::int32_t Code() const { return code_; }
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::int32_t code_;
  std::string message_;
};

// The framework's standard description of an automation error code (CP932; ASCII here).
std::string StandardErrorDescription(std::int32_t code);

}  // namespace vl
