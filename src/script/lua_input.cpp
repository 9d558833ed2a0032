// Input as a user gives it: keys, typed text, the mouse, time passing, the clipboard.
#include <string>
#include <vector>

#include "script/lua_form_internal.h"
#include "vltext/input.h"

namespace vl::script {

namespace {

// A key chord the script names; an unknown one is the script's mistake.
std::string KeyArgument(lua_State* L, int index) {
  if (lua_type(L, index) != LUA_TSTRING) throw ScriptError("a key name is expected");
  const std::string text = lua_tostring(L, index);
  if (!vl::ParseKeyChord(text)) throw ScriptError("unknown key \"" + text + "\"");
  return text;
}

int FormKey(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    h.form->Key(KeyArgument(L, 2));
    return 0;
  });
}

int FormKeyDown(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const std::string chord = KeyArgument(L, 2);
    bool repeat = false;
    if (lua_istable(L, 3)) {
      lua_getfield(L, 3, "autorepeat");
      repeat = lua_toboolean(L, -1) != 0;
      lua_pop(L, 1);
    }
    h.form->KeyDown(chord, repeat);
    return 0;
  });
}

int FormKeyUp(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    h.form->KeyUp(KeyArgument(L, 2));
    return 0;
  });
}

int FormType(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (lua_type(L, 2) != LUA_TSTRING) throw ScriptError("f:type(text): a text is expected");
    std::size_t n = 0;
    const char* s = lua_tolstring(L, 2, &n);
    h.form->Type(std::string_view(s, n));
    return 0;
  });
}

int FormWait(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const lua_Integer ms = lua_tointeger(L, 2);
    if (ms < 0 || ms > 86400000) throw ScriptError("f:wait(ms): 0 to 86400000 milliseconds");
    h.form->Wait(static_cast<std::uint32_t>(ms));
    return 0;
  });
}

int FormSetNow(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const vl::TypedValue v = IsValue(L, 2) ? ToValue(L, 2) : vl::TypedValue();
    if (v.Type() != vl::DataType::Date) throw ScriptError("f:set_now(date): a vl.Date is expected");
    h.form->SetNow(v);
    return 0;
  });
}

// --- Mouse -----------------------------------------------------------------------------------

enum class Button { Left, Right, Middle };

struct MouseOptions {
  Button button = Button::Left;
  std::vector<int> modifiers;
};

std::vector<int> ReadModifiers(lua_State* L, int index) {
  std::vector<int> mods;
  const std::pair<const char*, int> names[] = {
      {"shift", vl::keys::kShift}, {"ctrl", vl::keys::kControl}, {"alt", vl::keys::kMenu}};
  for (const auto& [name, vk] : names) {
    lua_getfield(L, index, name);
    if (lua_toboolean(L, -1)) mods.push_back(vk);
    lua_pop(L, 1);
  }
  return mods;
}

Button ButtonNamed(const std::string& name) {
  if (name == "left") return Button::Left;
  if (name == "right") return Button::Right;
  if (name == "middle") return Button::Middle;
  throw ScriptError("button is left, right or middle");
}

MouseOptions ReadMouseOptions(lua_State* L, int index) {
  MouseOptions o;
  if (!lua_istable(L, index)) return o;
  lua_getfield(L, index, "button");
  std::string button = lua_isstring(L, -1) ? lua_tostring(L, -1) : "left";
  lua_pop(L, 1);
  o.modifiers = ReadModifiers(L, index);
  o.button = ButtonNamed(button);
  return o;
}

vl::MouseAction Action(Button button, bool down) {
  switch (button) {
    case Button::Right:
      return down ? vl::MouseAction::RightDown : vl::MouseAction::RightUp;
    case Button::Middle:
      return down ? vl::MouseAction::MiddleDown : vl::MouseAction::MiddleUp;
    default:
      return down ? vl::MouseAction::LeftDown : vl::MouseAction::LeftUp;
  }
}

// A point of the box at `boxIndex` (x, y follow it), in the form's pixels.
vl::Point BoxPoint(lua_State* L, int boxIndex) {
  const vl::Box& box = CheckBoxRef(L, boxIndex).box;
  return box.ToForm(static_cast<int>(lua_tointeger(L, boxIndex + 1)), static_cast<int>(lua_tointeger(L, boxIndex + 2)));
}

void WithModifiers(vl::Form& form, const std::vector<int>& mods, bool down) {
  for (int vk : mods) {
    if (down) {
      form.KeyDown(vk);
    } else {
      form.KeyUp(vk);
    }
  }
}

enum class Step { Down, Up, Double };

int MouseSequence(lua_State* L, std::initializer_list<Step> steps) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const vl::Point p = BoxPoint(L, 2);
    const MouseOptions o = ReadMouseOptions(L, 5);
    WithModifiers(*h.form, o.modifiers, true);
    for (Step step : steps) {
      switch (step) {
        case Step::Down:
          h.form->Mouse(Action(o.button, true), p);
          break;
        case Step::Up:
          h.form->Mouse(Action(o.button, false), p);
          break;
        case Step::Double:
          h.form->Mouse(vl::MouseAction::LeftDouble, p);
          break;
      }
    }
    WithModifiers(*h.form, o.modifiers, false);
    return 0;
  });
}

int FormClick(lua_State* L) { return MouseSequence(L, {Step::Down, Step::Up}); }
int FormDblClick(lua_State* L) { return MouseSequence(L, {Step::Down, Step::Up, Step::Double, Step::Up}); }
int FormMouseDown(lua_State* L) { return MouseSequence(L, {Step::Down}); }
int FormMouseUp(lua_State* L) { return MouseSequence(L, {Step::Up}); }

int FormMouseMove(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    const vl::Point p = BoxPoint(L, 2);
    std::vector<vl::MouseButton> held;
    std::vector<int> mods;
    if (lua_istable(L, 5)) {
      lua_getfield(L, 5, "buttons");
      if (lua_istable(L, -1)) {
        for (lua_Integer i = 1; lua_rawgeti(L, -1, i) == LUA_TSTRING; ++i) {
          const Button b = ButtonNamed(lua_tostring(L, -1));
          held.push_back(b == Button::Left    ? vl::MouseButton::Left
                         : b == Button::Right ? vl::MouseButton::Right
                                              : vl::MouseButton::Middle);
          lua_pop(L, 1);
        }
        lua_pop(L, 1);
      }
      lua_pop(L, 1);
      mods = ReadModifiers(L, 5);
    }
    // Buttons held during the move are pressed in the key state only, as a drag begun elsewhere.
    h.form->SetHeldButtons(held);
    WithModifiers(*h.form, mods, true);
    h.form->Mouse(vl::MouseAction::Move, p);
    WithModifiers(*h.form, mods, false);
    h.form->SetHeldButtons({});
    return 0;
  });
}

// --- Reading back ----------------------------------------------------------------------------

int FormShown(lua_State* L) {
  return Guarded(L, [&] {
    const std::string text = CheckBoxRef(L, 2).box.ShownText();
    lua_pushlstring(L, text.data(), text.size());
    return 1;
  });
}

int FormSelection(lua_State* L) {
  return Guarded(L, [&] {
    const vl::Selection s = CheckBoxRef(L, 2).box.GetSelection();
    lua_createtable(L, 0, 2);
    lua_pushinteger(L, s.start);
    lua_setfield(L, -2, "start");
    lua_pushinteger(L, s.length);
    lua_setfield(L, -2, "length");
    return 1;
  });
}

int FormCursor(lua_State* L) {
  return Guarded(L, [&] {
    lua_pushstring(L, vl::CursorName(CheckForm(L, 1).form->Cursor()));
    return 1;
  });
}

int FormClipboard(lua_State* L) {
  return Guarded(L, [&] {
    const vl::ClipboardContents clip = CheckForm(L, 1).form->Clipboard();
    lua_createtable(L, 0, 2);
    if (clip.text) {
      lua_pushlstring(L, clip.text->data(), clip.text->size());
      lua_setfield(L, -2, "text");
    }
    lua_createtable(L, static_cast<int>(clip.formats.size()), 0);
    int i = 1;
    for (const std::string& f : clip.formats) {
      lua_pushstring(L, f.c_str());
      lua_rawseti(L, -2, i++);
    }
    lua_setfield(L, -2, "formats");
    return 1;
  });
}

int FormSetClipboard(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    std::size_t n = 0;
    const char* s = lua_tolstring(L, 2, &n);
    h.form->SetClipboardText(s != nullptr ? std::string_view(s, n) : std::string_view());
    return 0;
  });
}

int FormMnemonic(lua_State* L) {
  return Guarded(L, [&] {
    const std::optional<vl::Mnemonic> m = CheckBoxRef(L, 2).box.GetMnemonic();
    if (!m) {
      lua_pushnil(L);
      return 1;
    }
    lua_createtable(L, 0, 2);
    const char key[2] = {m->key, 0};
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
    const std::string result = lua_tostring(L, 2);
    const std::string reading = lua_type(L, 3) == LUA_TSTRING ? lua_tostring(L, 3) : std::string();
    lua_pushboolean(L, h.form->Compose(result, reading));
    return 1;
  });
}

int FormIme(lua_State* L) {
  return Guarded(L, [&] {
    const vl::ImeState state = CheckForm(L, 1).form->GetImeState();
    lua_createtable(L, 0, 4);
    lua_pushboolean(L, state.open);
    lua_setfield(L, -2, "open");
    lua_pushinteger(L, state.conversion);
    lua_setfield(L, -2, "conversion");
    lua_pushinteger(L, state.sentence);
    lua_setfield(L, -2, "sentence");
    lua_pushboolean(L, state.attached);
    lua_setfield(L, -2, "attached");
    return 1;
  });
}

int FormImeSet(lua_State* L) {
  return Guarded(L, [&] {
    FormHost& h = CheckForm(L, 1);
    if (!lua_istable(L, 2)) {
      throw ScriptError("f:ime_set{open = ..., conversion = ..., sentence = ...}: a table is expected");
    }
    std::optional<bool> open;
    std::optional<std::uint32_t> conversion, sentence;
    lua_getfield(L, 2, "open");
    if (!lua_isnil(L, -1)) open = lua_toboolean(L, -1) != 0;
    lua_pop(L, 1);
    auto number = [&](const char* name, std::optional<std::uint32_t>& out) {
      lua_getfield(L, 2, name);
      if (!lua_isnil(L, -1)) {
        if (!lua_isinteger(L, -1)) throw ScriptError(std::string("f:ime_set: ") + name + " is an integer");
        out = static_cast<std::uint32_t>(lua_tointeger(L, -1));
      }
      lua_pop(L, 1);
    };
    number("conversion", conversion);
    number("sentence", sentence);
    lua_pushboolean(L, h.form->SetImeState(open, conversion, sentence));
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
      {nullptr, nullptr},
  };
  luaL_setfuncs(L, methods, 0);
}

}  // namespace vl::script
