// Input as a user gives it: keys, typed text, the mouse, time passing, the clipboard.
#include <cstring>
#include <optional>
#include <vector>

#include "host/form.h"
#include "platform/imm.h"
#include "platform/keyboard_layout.h"
#include "runtime/date_serial.h"
#include "script/lua_form_internal.h"
#include "text/encoding.h"
#include "text/mbcs.h"

namespace vl::script {

namespace {

struct KeyChord {
  std::vector<int> modifiers;  // held around the key, in the order pressed
  int vk = 0;
};

int NamedKey(const std::string& name) {
  struct Named { const char* name; int vk; };
  static constexpr Named kNames[] = {
      {"Enter", win::VK_RETURN}, {"Tab", win::VK_TAB},     {"Backspace", win::VK_BACK}, {"Escape", win::VK_ESCAPE},
      {"Space", win::VK_SPACE},  {"PageUp", win::VK_PRIOR}, {"PageDown", win::VK_NEXT}, {"End", win::VK_END},
      {"Home", win::VK_HOME},    {"Left", win::VK_LEFT},    {"Up", win::VK_UP},         {"Right", win::VK_RIGHT},
      {"Down", win::VK_DOWN},    {"Insert", win::VK_INSERT}, {"Delete", win::VK_DELETE},
      {"Shift", win::VK_SHIFT},  {"Ctrl", win::VK_CONTROL}, {"Alt", win::VK_MENU},
  };
  for (const Named& n : kNames) {
    if (name == n.name) return n.vk;
  }
  if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) return name[0];
  if (name.size() >= 2 && name[0] == 'F') {
    int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return win::VK_F1 + n - 1;
  }
  return 0;
}

KeyChord ParseChord(const std::string& text) {
  KeyChord chord;
  std::size_t start = 0;
  while (true) {
    std::size_t plus = text.find('+', start);
    std::string part = text.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (plus == std::string::npos) {
      chord.vk = NamedKey(part);
      if (chord.vk == 0) throw ScriptError("unknown key \"" + text + "\"");
      return chord;
    }
    if (part == "Shift") {
      chord.modifiers.push_back(win::VK_SHIFT);
    } else if (part == "Ctrl") {
      chord.modifiers.push_back(win::VK_CONTROL);
    } else if (part == "Alt") {
      chord.modifiers.push_back(win::VK_MENU);
    } else {
      throw ScriptError("unknown key \"" + text + "\"");
    }
    start = plus + 1;
  }
}

// Each key goes in on its own and is taken before the next, as a person's keystrokes are: what
// the box does in answer (a synthetic Tab) comes before the user's next key.
void Press(Form& form, const KeyChord& chord, bool down, bool up) {
  win::System& sys = form.WindowSystem();
  auto send = [&](int vk, win::DWORD flags) {
    sys.keybd_event(vk, flags);
    form.PumpMessages();
  };
  if (down) {
    for (int m : chord.modifiers) send(m, 0);
    send(chord.vk, 0);
  }
  if (up) {
    send(chord.vk, win::KEYEVENTF_KEYUP);
    for (auto it = chord.modifiers.rbegin(); it != chord.modifiers.rend(); ++it) send(*it, win::KEYEVENTF_KEYUP);
  }
}

std::string KeyArgument(lua_State* L, int index) {
  if (lua_type(L, index) != LUA_TSTRING) throw ScriptError("a key name is expected");
  return LuaBytes(L, index);
}

int FormKey(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    Press(*h.form, ParseChord(KeyArgument(L, 2)), true, true);
    h.form->PumpMessages();
    ThrowPending(h);
    return 0;
  });
}

int FormKeyDown(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    KeyChord chord = ParseChord(KeyArgument(L, 2));
    bool repeat = false;
    if (lua_istable(L, 3)) {
      RawField(L, 3, "autorepeat");
      repeat = lua_toboolean(L, -1) != 0;
      lua_pop(L, 1);
    }
    win::System& sys = h.form->WindowSystem();
    Press(*h.form, chord, true, false);
    h.form->PumpMessages();
    if (repeat) sys.SetAutoRepeat(chord.vk, true);
    ThrowPending(h);
    return 0;
  });
}

int FormKeyUp(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    Press(*h.form, ParseChord(KeyArgument(L, 2)), false, true);
    h.form->PumpMessages();
    ThrowPending(h);
    return 0;
  });
}

int FormType(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:type(text): a text is expected");
    const std::string text = ToCp932(L, 2);
    win::System& sys = h.form->WindowSystem();
    for (std::size_t p = 0; p < text.size();) {
      const int len = CharLengthAt(text, p);
      const auto c = static_cast<unsigned char>(text[p]);
      if (len == 2) {
        // A double-byte character comes from the input method.
        sys.QueueChar((static_cast<std::uint32_t>(c) << 8) | static_cast<unsigned char>(text[p + 1]));
      } else if (auto [vk, shift] = win::KeyOfCharacter(c); vk != 0) {
        KeyChord chord;
        if (shift && sys.GetKeyState(win::VK_SHIFT) >= 0) chord.modifiers.push_back(win::VK_SHIFT);
        chord.vk = vk;
        Press(*h.form, chord, true, true);
      } else {
        sys.QueueChar(c);
      }
      h.form->PumpMessages();
      ThrowPending(h);
      p += static_cast<std::size_t>(len);
    }
    return 0;
  });
}

int FormWait(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    lua_Integer ms = lua_tointeger(L, 2);
    if (ms < 0 || ms > 86400000) throw ScriptError("f:wait(ms): 0 to 86400000 milliseconds");
    h.form->WindowSystem().AdvanceTime(static_cast<std::uint32_t>(ms));
    ThrowPending(h);
    return 0;
  });
}

int FormSetNow(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    Variant v = ToVariant(L, 2);
    if (v.Type() != VarType::Date) throw ScriptError("f:set_now(date): a vl.Date is expected");
    h.form->Clock().SetNow(v.AsDate());
    return 0;
  });
}

// --- Mouse -----------------------------------------------------------------------------------

struct MouseOptions {
  std::string button = "left";
  std::vector<int> modifiers;
};

MouseOptions ReadMouseOptions(lua_State* L, int index) {
  MouseOptions o;
  if (!lua_istable(L, index)) return o;
  RawField(L, index, "button");
  if (lua_isstring(L, -1)) o.button = lua_tostring(L, -1);
  lua_pop(L, 1);
  const std::pair<const char*, int> mods[] = {{"shift", win::VK_SHIFT}, {"ctrl", win::VK_CONTROL}, {"alt", win::VK_MENU}};
  for (const auto& [name, vk] : mods) {
    RawField(L, index, name);
    if (lua_toboolean(L, -1)) o.modifiers.push_back(vk);
    lua_pop(L, 1);
  }
  if (o.button != "left" && o.button != "right" && o.button != "middle") throw ScriptError("button is left, right or middle");
  return o;
}

// A point in the box's pixels; far beyond any screen it would overflow the window system's sums.
win::POINT BoxPoint(lua_State* L, FormHost& h, int boxIndex) {
  CVlTypedBoxCtrl& box = BoxControl(CheckBoxRef(L, boxIndex));
  int v[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    int isInteger = 0;
    const lua_Integer n = lua_tointegerx(L, boxIndex + 1 + i, &isInteger);
    if (!isInteger && !lua_isnoneornil(L, boxIndex + 1 + i)) throw ScriptError("a point is two whole numbers");
    if (n < -1000000 || n > 1000000)
      throw ScriptError("the point " + std::to_string(n) + " is out of range (-1000000 to 1000000)");
    v[i] = static_cast<int>(n);
  }
  return h.form->WindowSystem().ClientToScreen(box.Handle(), win::POINT{v[0], v[1]});
}

void WithModifiers(win::System& sys, const std::vector<int>& mods, bool down) {
  for (int vk : mods) sys.keybd_event(vk, down ? 0 : win::KEYEVENTF_KEYUP);
}

win::MouseAction Action(const std::string& button, bool down) {
  if (button == "right") return down ? win::MouseAction::RightDown : win::MouseAction::RightUp;
  if (button == "middle") return down ? win::MouseAction::MiddleDown : win::MouseAction::MiddleUp;
  return down ? win::MouseAction::LeftDown : win::MouseAction::LeftUp;
}

int MouseSequence(lua_State* L, std::initializer_list<int> steps) {
  // steps: 1 down, 2 up, 3 double, 4 move
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const win::POINT p = BoxPoint(L, h, 2);
    const MouseOptions o = ReadMouseOptions(L, 5);
    win::System& sys = h.form->WindowSystem();
    WithModifiers(sys, o.modifiers, true);
    for (int step : steps) {
      switch (step) {
        case 1: sys.QueueMouse(Action(o.button, true), p); break;
        case 2: sys.QueueMouse(Action(o.button, false), p); break;
        case 3: sys.QueueMouse(win::MouseAction::LeftDouble, p); break;
        default: sys.QueueMouse(win::MouseAction::Move, p); break;
      }
      h.form->PumpMessages();
    }
    WithModifiers(sys, o.modifiers, false);
    h.form->PumpMessages();
    ThrowPending(h);
    return 0;
  });
}

int FormClick(lua_State* L) { return MouseSequence(L, {1, 2}); }
int FormDblClick(lua_State* L) { return MouseSequence(L, {1, 2, 3, 2}); }
int FormMouseDown(lua_State* L) { return MouseSequence(L, {1}); }
int FormMouseUp(lua_State* L) { return MouseSequence(L, {2}); }

int FormMouseMove(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const win::POINT p = BoxPoint(L, h, 2);
    win::System& sys = h.form->WindowSystem();
    std::vector<win::MouseAction> press;
    std::vector<int> mods;
    if (lua_istable(L, 5)) {
      RawField(L, 5, "buttons");
      if (lua_istable(L, -1)) {
        for (lua_Integer i = 1; lua_rawgeti(L, -1, i) == LUA_TSTRING; ++i) {
          press.push_back(Action(lua_tostring(L, -1), true));
          lua_pop(L, 1);
        }
        lua_pop(L, 1);
      }
      lua_pop(L, 1);
      mods = ReadMouseOptions(L, 5).modifiers;
    }
    // Buttons held during the move are pressed in the key state only, as a drag begun elsewhere.
    sys.SetHeldButtons(press);
    WithModifiers(sys, mods, true);
    sys.QueueMouse(win::MouseAction::Move, p);
    h.form->PumpMessages();
    WithModifiers(sys, mods, false);
    sys.SetHeldButtons({});
    h.form->PumpMessages();
    ThrowPending(h);
    return 0;
  });
}

// --- Reading back ----------------------------------------------------------------------------

int FormShown(lua_State* L) {
  return Guarded(L, [&] {
    PushCp932(L, BoxControl(CheckBoxRef(L, 2)).ShownText());
    return 1;
  });
}

// f:editing(b): whether the box is being edited now (its edit window is shown), whatever holds the
// focus.
int FormEditing(lua_State* L) {
  return Guarded(L, [&] {
    lua_pushboolean(L, BoxControl(CheckBoxRef(L, 2)).EditorVisible());
    return 1;
  });
}

int FormSelection(lua_State* L) {
  return Guarded(L, [&] {
    CVlTypedBoxCtrl& box = BoxControl(CheckBoxRef(L, 2));
    std::int32_t start = 0, length = 0;
    if (CVlEditWnd* e = box.Editor()) e->GetSel(start, length);
    lua_createtable(L, 0, 2);
    lua_pushinteger(L, start);
    lua_setfield(L, -2, "start");
    lua_pushinteger(L, length);
    lua_setfield(L, -2, "length");
    return 1;
  });
}

int FormCursor(lua_State* L) {
  return Guarded(L, [&] {
    static constexpr const char* kNames[] = {"arrow", "ibeam", "sizewe", "sizens", "sizenwse", "sizenesw"};
    lua_pushstring(L, kNames[static_cast<int>(CheckForm(L, 1).form->WindowSystem().GetCursor())]);
    return 1;
  });
}

int FormClipboard(lua_State* L) {
  return Guarded(L, [&] {
    win::System& sys = CheckForm(L, 1).form->WindowSystem();
    lua_createtable(L, 0, 2);
    if (auto text = sys.GetClipboardData(win::CF_TEXT)) {
      std::string cut = text->substr(0, text->find('\0'));
      PushCp932(L, cut);
      lua_setfield(L, -2, "text");
    }
    lua_newtable(L);
    int i = 1;
    for (win::UINT f : sys.EnumClipboardFormats()) {
      lua_pushstring(L, sys.GetClipboardFormatName(f).c_str());
      lua_rawseti(L, -2, i++);
    }
    lua_setfield(L, -2, "formats");
    return 1;
  });
}

int FormSetClipboard(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    std::string text = ToCp932(L, 2);
    win::System& sys = h.form->WindowSystem();
    if (!sys.OpenClipboard(win::kNoWindow)) throw ScriptError("the clipboard is held by another program");
    sys.EmptyClipboard();
    sys.SetClipboardData(win::CF_TEXT, text + '\0');
    sys.CloseClipboard();
    return 0;
  });
}

int FormMnemonic(lua_State* L) {
  return Guarded(L, [&] {
    auto m = BoxControl(CheckBoxRef(L, 2)).GetMnemonic();
    if (!m) {
      lua_pushnil(L);
      return 1;
    }
    lua_createtable(L, 0, 2);
    char key[2] = {static_cast<char>(m->key), 0};
    lua_pushstring(L, key);
    lua_setfield(L, -2, "key");
    lua_pushboolean(L, m->alt);
    lua_setfield(L, -2, "alt");
    return 1;
  });
}

// --- The input method, as the user works it ---------------------------------------------------

int FormImeCompose(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:ime_compose(text, reading): a text is expected");
    const std::string result = ToCp932(L, 2);
    const std::string reading = lua_type(L, 3) == LUA_TSTRING ? ToCp932(L, 3) : std::string();
    h.form->PumpMessages();
    const bool composed = h.form->WindowSystem().Imm().Compose(result, reading);
    h.form->PumpMessages();
    ThrowPending(h);
    lua_pushboolean(L, composed);
    return 1;
  });
}

int FormIme(lua_State* L) {
  return Guarded(L, [&] {
    win::System& sys = CheckForm(L, 1).form->WindowSystem();
    win::InputMethodManager& imm = sys.Imm();
    const win::HIMC context = imm.UserContext();
    const win::ImeState state = imm.GetState(context == win::kNoContext ? imm.DefaultContext() : context).value_or(win::ImeState{});
    lua_createtable(L, 0, 4);
    lua_pushboolean(L, state.open);
    lua_setfield(L, -2, "open");
    lua_pushinteger(L, state.conversion);
    lua_setfield(L, -2, "conversion");
    lua_pushinteger(L, state.sentence);
    lua_setfield(L, -2, "sentence");
    lua_pushboolean(L, sys.GetFocus() != win::kNoWindow && context != win::kNoContext);
    lua_setfield(L, -2, "attached");
    return 1;
  });
}

int FormImeSet(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (!lua_istable(L, 2)) throw ScriptError("f:ime_set{open = ..., conversion = ..., sentence = ...}: a table is expected");
    std::optional<bool> open;
    std::optional<win::DWORD> conversion, sentence;
    RawField(L, 2, "open");
    if (!lua_isnil(L, -1)) open = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
    auto number = [&](const char* name, std::optional<win::DWORD>& out) {
      RawField(L, 2, name);
      if (!lua_isnil(L, -1)) {
        if (!lua_isinteger(L, -1)) throw ScriptError(std::string("f:ime_set: ") + name + " is an integer");
        out = static_cast<win::DWORD>(lua_tointeger(L, -1));
      }
      lua_pop(L, 1);
    };
    number("conversion", conversion);
    number("sentence", sentence);
    const bool done = h.form->WindowSystem().Imm().UserSetState(open, conversion, sentence);
    h.form->PumpMessages();
    ThrowPending(h);
    lua_pushboolean(L, done);
    return 1;
  });
}

}  // namespace

void RegisterInputMethods(lua_State* L) {
  const luaL_Reg methods[] = {
      {"key", FormKey},
      {"keydown", FormKeyDown},
      {"keyup", FormKeyUp},
      {"type", FormType},
      {"wait", FormWait},
      {"set_now", FormSetNow},
      {"click", FormClick},
      {"dblclick", FormDblClick},
      {"mousedown", FormMouseDown},
      {"mouseup", FormMouseUp},
      {"mousemove", FormMouseMove},
      {"shown", FormShown},
      {"selection", FormSelection},
      {"clipboard", FormClipboard},
      {"set_clipboard", FormSetClipboard},
      {"mnemonic", FormMnemonic},
      {"ime_compose", FormImeCompose},
      {"ime", FormIme},
      {"ime_set", FormImeSet},
      {"cursor", FormCursor},
      {"editing", FormEditing},
      {nullptr, nullptr},
  };
  luaL_setfuncs(L, methods, 0);
}

}  // namespace vl::script
