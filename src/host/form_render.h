// Pictures of a form as the user sees it: every box drawn by its control, the box being edited
// drawn by its edit window with caret and selection, spin arrows and buttons on the form's face.
#pragma once

#include <string>

#include "host/form.h"
#include "platform/font_backend.h"
#include "platform/surface.h"

namespace vl {

// The form's face around its boxes and buttons, 8 pixels beyond the outermost of them.
win::Surface RenderForm(Form& form, win::FontBackend& fonts);
// One box alone, its control window's size. `metafile` draws it as the host's picture of the
// control: on the container's back colour, the value drawn by the control even while it is edited.
win::Surface RenderBox(Form& form, BoxSite& box, win::FontBackend& fonts, bool metafile = false);

// The input method's composition window: the text being composed (CP932), drawn over `surface`
// (a picture of the whole form) at the caret of the focused window, underlined, as the input
// method shows it before the text is confirmed. Nothing when no window shows a caret.
void DrawComposition(Form& form, win::Surface& surface, win::FontBackend& fonts, const std::string& text);

}  // namespace vl
