// The desktop window f:show opens: the program running the script gives it (vltext does); without
// one f:show is an error {code = 5}. The window's function returns when the user closes it.
#pragma once

#include <functional>
#include <string>

#include "vltext/form.h"

namespace vl::script {

using ShowFunction = std::function<void(vl::v1::Form& form, const std::string& titleUtf8)>;
void SetShowFunction(ShowFunction show);

}  // namespace vl::script
