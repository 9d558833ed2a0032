#include "runtime/automation_error.h"

namespace vl {

AutomationError::AutomationError(std::int32_t code, std::string message)
    : code_(code), message_(message.empty() ? StandardErrorDescription(code) : std::move(message)) {}

std::string StandardErrorDescription(std::int32_t code) {
  switch (code) {
    case kErrInvalidProcedureCall: return "Invalid procedure call or argument";
    case kErrOverflow: return "Overflow";
    case kErrTypeMismatch: return "Type mismatch";
    case kErrInvalidPropertyValue: return "Invalid property value";
    case kErrInvalidArrayIndex: return "Invalid property array index";
    case kErrSetNotSupported: return "Set not supported (read-only property)";
    case kErrGetNotSupported: return "Get not supported (write-only property)";
    default: return "Automation error " + std::to_string(code);
  }
}

}  // namespace vl
