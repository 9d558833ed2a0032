#include "edit/create_editor.h"

#include "edit/boolean_edit.h"
#include "edit/date_edit.h"
#include "edit/number_edit.h"
#include "edit/string_edit.h"

namespace vl {

std::unique_ptr<CVlEditWnd> CreateEditor(std::uint16_t dataType) {
  switch (dataType) {
    case VlTextInteger:
      return std::make_unique<CVlShortEdit>();
    case VlTextLong:
      return std::make_unique<CVlLongEdit>();
    case VlTextSingle:
      return std::make_unique<CVlSingleEdit>();
    case VlTextDouble:
      return std::make_unique<CVlDoubleEdit>();
    case VlTextCurrency:
      return std::make_unique<CVlCurrencyEdit>();
    case VlTextDate:
      return std::make_unique<CVlDateEdit>();
    case VlTextString:
      return std::make_unique<CVlStringEdit>();
    case VlTextBoolean:
      return std::make_unique<CVlBooleanEdit>();
    case VlTextByte:
      return std::make_unique<CVlByteEdit>();
    default:
      return nullptr;
  }
}

}  // namespace vl
