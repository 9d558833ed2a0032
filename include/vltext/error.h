// vl::Error: every refusal of the component, as its automation interface reports it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vl {
inline namespace v1 {

// Automation codes a caller meets most: 380 invalid property value, 381 bad Captions index,
// 383 write refused in this mode, 394 read refused in this mode, 5 invalid procedure call,
// 6 overflow, 13 type mismatch, 75 file access error, 438 no such property, method or event.
class Error : public std::runtime_error {
 public:
  Error(std::int32_t code, const std::string& utf8Message) : std::runtime_error(utf8Message), code_(code) {}
  std::int32_t Code() const noexcept { return code_; }
  // The message in UTF-8 (the component's own Japanese texts, or a standard description).
  const char* Message() const noexcept { return what(); }

 private:
  std::int32_t code_;
};

}  // namespace v1
}  // namespace vl
