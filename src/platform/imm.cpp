#include "platform/imm.h"

#include <algorithm>
#include <cstring>

#include "text/mbcs.h"

namespace vl::win {

namespace {

// The input method's own window: hidden, it only has to exist so that programs can ask for it.
class ImeWindow : public Window {};

}  // namespace

InputMethodManager::InputMethodManager(System& system) : system_(system) { defaultContext_ = ImmCreateContext(); }

InputMethodManager::~InputMethodManager() = default;

InputMethodManager::Context* InputMethodManager::Find(HIMC himc) {
  auto it = contexts_.find(static_cast<std::uint32_t>(himc));
  return it == contexts_.end() ? nullptr : &it->second;
}

const InputMethodManager::Context* InputMethodManager::Find(HIMC himc) const {
  auto it = contexts_.find(static_cast<std::uint32_t>(himc));
  return it == contexts_.end() ? nullptr : &it->second;
}

HIMC InputMethodManager::AssociatedContext(HWND hwnd) const {
  auto it = associations_.find(HandleId(hwnd));
  const HIMC himc = it == associations_.end() ? defaultContext_ : it->second;
  return Find(himc) != nullptr ? himc : kNoContext;
}

// --- Program side ------------------------------------------------------------------------------

HWND InputMethodManager::ImmGetDefaultIMEWnd(HWND hwnd) {
  if (!installed_ || !system_.IsWindow(hwnd)) return kNoWindow;
  if (!imeWindow_ || !system_.IsWindow(imeWindow_->Handle())) {
    imeWindow_ = std::make_unique<ImeWindow>();
    if (system_.CreateWindowEx(*imeWindow_, "IME", 0, RECT{}, kNoWindow) == kNoWindow) {
      imeWindow_.reset();
      return kNoWindow;
    }
  }
  return imeWindow_->Handle();
}

HIMC InputMethodManager::ImmGetContext(HWND hwnd) {
  if (!system_.IsWindow(hwnd)) return kNoContext;
  const HIMC himc = AssociatedContext(hwnd);
  if (himc != kNoContext) ++outstanding_;
  return himc;
}

bool InputMethodManager::ImmReleaseContext(HWND, HIMC himc) {
  if (himc == kNoContext || outstanding_ == 0) return false;
  --outstanding_;
  return true;
}

HIMC InputMethodManager::ImmAssociateContext(HWND hwnd, HIMC himc) {
  if (!system_.IsWindow(hwnd)) return kNoContext;
  const HIMC previous = AssociatedContext(hwnd);
  associations_[HandleId(hwnd)] = himc;
  return previous;
}

HIMC InputMethodManager::ImmCreateContext() {
  const HIMC himc{nextContext_++};
  contexts_[static_cast<std::uint32_t>(himc)] = Context{};
  return himc;
}

bool InputMethodManager::ImmDestroyContext(HIMC himc) {
  if (himc == defaultContext_) return false;  // the default context lives as long as the system
  return contexts_.erase(static_cast<std::uint32_t>(himc)) != 0;
}

bool InputMethodManager::ImmGetOpenStatus(HIMC himc) const {
  const Context* c = Find(himc);
  return c != nullptr && c->state.open;
}

bool InputMethodManager::ImmSetOpenStatus(HIMC himc, bool open) {
  Context* c = Find(himc);
  if (c == nullptr || openRefused_) return false;
  c->state.open = open;
  return true;
}

bool InputMethodManager::ImmGetConversionStatus(HIMC himc, DWORD* conversion, DWORD* sentence) const {
  const Context* c = Find(himc);
  if (c == nullptr) return false;
  if (conversion != nullptr) *conversion = c->state.conversion;
  if (sentence != nullptr) *sentence = c->state.sentence;
  return true;
}

bool InputMethodManager::ImmSetConversionStatus(HIMC himc, DWORD conversion, DWORD sentence) {
  Context* c = Find(himc);
  if (c == nullptr) return false;
  c->state.conversion = conversion;
  c->state.sentence = sentence;
  return true;
}

LONG InputMethodManager::ImmGetCompositionString(HIMC himc, DWORD index, char* buffer, DWORD bufferLength) const {
  const Context* c = Find(himc);
  if (c == nullptr) return IMM_ERROR_GENERAL;
  const std::string* text = nullptr;
  switch (index) {
    case GCS_COMPREADSTR: text = &c->compReadStr; break;
    case GCS_COMPSTR: text = &c->compStr; break;
    case GCS_RESULTREADSTR: text = &c->resultReadStr; break;
    case GCS_RESULTSTR: text = &c->resultStr; break;
    default: return IMM_ERROR_GENERAL;
  }
  if (bufferLength == 0 || buffer == nullptr) return static_cast<LONG>(text->size());
  const std::size_t n = std::min<std::size_t>(text->size(), bufferLength);
  std::memcpy(buffer, text->data(), n);
  return static_cast<LONG>(n);
}

// --- User side ---------------------------------------------------------------------------------

HIMC InputMethodManager::UserContext() const {
  const HWND focus = system_.GetFocus();
  return focus == kNoWindow ? defaultContext_ : AssociatedContext(focus);
}

std::optional<ImeState> InputMethodManager::GetState(HIMC himc) const {
  const Context* c = Find(himc);
  if (c == nullptr) return std::nullopt;
  return c->state;
}

bool InputMethodManager::UserSetState(std::optional<bool> open, std::optional<DWORD> conversion,
                                      std::optional<DWORD> sentence) {
  Context* c = Find(UserContext());
  if (c == nullptr) return false;
  if (open) c->state.open = *open;
  if (conversion) c->state.conversion = *conversion;
  if (sentence) c->state.sentence = *sentence;
  return true;
}

bool InputMethodManager::Compose(const std::string& result, const std::string& reading) {
  const HWND focus = system_.GetFocus();
  if (focus == kNoWindow) return false;
  const HIMC himc = AssociatedContext(focus);
  Context* c = Find(himc);
  if (c == nullptr || !c->state.open) return false;
  system_.SendMessage(focus, WM_IME_STARTCOMPOSITION, 0, 0);
  c = Find(himc);  // the window may have changed the contexts meanwhile
  if (c == nullptr) return false;
  c->compStr.clear();
  c->compReadStr.clear();
  c->resultStr = result;
  c->resultReadStr = reading;
  const WPARAM last = result.empty() ? 0 : static_cast<unsigned char>(result.back());
  system_.SendMessage(focus, WM_IME_COMPOSITION, last, static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTREADSTR));
  system_.SendMessage(focus, WM_IME_ENDCOMPOSITION, 0, 0);
  return true;
}

void InputMethodManager::PostResultChars(HWND hwnd, LPARAM flags) {
  if ((static_cast<DWORD>(flags) & GCS_RESULTSTR) == 0) return;
  const Context* c = Find(AssociatedContext(hwnd));
  if (c == nullptr) return;
  const std::string& text = c->resultStr;
  for (std::size_t p = 0; p < text.size();) {
    const int len = CharLengthAt(text, p);
    WPARAM ch = static_cast<unsigned char>(text[p]);
    if (len == 2 && p + 1 < text.size()) ch = (ch << 8) | static_cast<unsigned char>(text[p + 1]);
    system_.PostMessage(hwnd, WM_IME_CHAR, ch, 1);
    p += static_cast<std::size_t>(len);
  }
}

}  // namespace vl::win
