-- String boxes: masks shown and typed into, case conversion, required positions at the commit,
-- MaxLength in bytes, password boxes and the plain-text clipboard.
local check = require "check"

local f = vl.Form{}
f:add_button("before")
local tel = f:add("tel")
local code = f:add("code")
local name = f:add("name")
f:add_button("after")
for _, b in ipairs({ tel, code, name }) do b.DataType = vl.VlTextString end

-- A right-filled telephone mask shows short numbers right-aligned.
tel.Format = "!\\(99\\)9999\\-9999"
tel.Value = "0312345678"
check.eq(f:shown(tel), "(03)1234-5678", "full number")
tel.Value = "312345678"
check.eq(f:shown(tel), "( 3)1234-5678", "the first position stays blank")

-- Typed digits go through the mask; letters are dropped without a Change.
f:focus(tel)
f:key("Ctrl+A")
f:key("Delete")
f:events()
f:type("0312345678")
check.eq(f:shown(tel), "(03)1234-5678", "while editing the box shows its edit layout")
f:events()
f:type("x")
check.eq(check.events(f), "KeyDown KeyPress KeyUp", "no Change for a refused character")
f:focus("after")
check.eq(tel.Value, vl.String("0312345678"), "committed value has no literals")
check.eq(f:shown(tel), "(03)1234-5678", "shown through the mask after leaving")

-- An upper-case run stores capitals, single-byte and full-width alike.
code.Format = "<LL@L"
f:focus(code)
f:type("abａ")
f:focus("after")
check.eq(code.Value, vl.String("ABＡ"), "upper-cased by the run")

-- A required position left empty fails the commit with 1006; an optional one does not.
code.Format = "0000"
code.Value = "1234"
f:events()
f:messages()
f:focus(code)
f:key("End")
f:key("Backspace")
f:key("Backspace")
f:focus("after")
local err
for _, e in ipairs(f:events()) do if e.name == "ValueError" then err = e end end
check.eq(err ~= nil, true, "ValueError raised")
check.eq(err.ErrCode, 1006, "required position empty")
check.eq(err.ErrString, "入力値が書式と整合しません", "message")
check.eq(#f:messages(), 1, "message box shown")
check.eq(f:focused(), "code", "the focus came back")
f:type("34")
f:focus("after")
check.eq(code.Value, vl.String("1234"), "filled again, accepted")

code.Format = "9999"
f:focus(code)
f:key("End")
f:key("Backspace")
f:focus("after")
check.eq(check.events(f):find("ValueError", 1, true), nil, "an optional position may stay empty")
check.eq(code.Value, vl.String("123"), "optional position left empty")

-- MaxLength counts bytes: 4 bytes keep 漢字 of 漢字漢 and report 1200.
name.Value = "漢字漢"
f:events()
local ok, e = pcall(function() name.MaxLength = 4 end)
local cut
for _, ev in ipairs(f:events()) do if ev.name == "ValueError" then cut = ev end end
check.eq(cut ~= nil, true, "ValueError for the cut")
check.eq(cut.ErrCode, 1200, "MaxLength write cut the value")
check.eq(name.Value, vl.String("漢字"), "cut between characters")
check.eq(ok or (type(e) == "table"), true, "the write itself is not a script error")

-- Typing stops at the byte limit: a double-byte character needs two free bytes.
name.MaxLength = 3
name.Value = ""
f:focus(name)
f:type("a漢字")
f:focus("after")
check.eq(name.Value, vl.String("a漢"), "three bytes")

-- A password box shows one character per byte, copies nothing, and Cut still copies.
name.MaxLength = 0
name.PasswordChar = "*"
name.Value = "pass漢"
check.eq(f:shown(name), "******", "one * per byte")
f:set_clipboard("kept")
f:focus(name)
f:key("Ctrl+A")
f:key("Ctrl+C")
check.eq(f:clipboard().text, "kept", "Copy puts nothing on the clipboard")
f:key("Ctrl+X")
check.eq(f:clipboard().text, "pass漢", "Cut still copies")
check.eq(#f:clipboard().formats, 1, "plain text only")
f:focus("after")
name.PasswordChar = ""

-- Plain text in and out; a pasted text must pass the mask from the caret on.
code.Format = "<LL99"
-- An empty text does not fill the required letters, so the box is cleared to Null instead.
code.Value = vl.Null
f:set_clipboard("ab12")
f:focus(code)
f:key("Ctrl+V")
f:focus("after")
check.eq(code.Value, vl.String("AB12"), "pasted and upper-cased")
f:set_clipboard("12ab")
f:focus(code)
f:key("Ctrl+A")
f:key("Ctrl+V")
f:focus("after")
check.eq(code.Value, vl.String("AB12"), "a text the mask refuses changes nothing")
f:focus(code)
f:key("Ctrl+A")
f:key("Ctrl+C")
check.eq(f:clipboard().text, "AB12", "copied as plain text")
check.eq(f:clipboard().formats[1], "CF_TEXT", "no private format for strings")
f:focus("after")

-- A right-aligned box keeps only the beginning of a pasted text that fits its width.
local narrow = f:add("narrow", { x = 0, y = 120, w = 80, h = 24 })
narrow.DataType = vl.VlTextString
narrow.Alignment = 1
f:set_clipboard("0123456789ABCDEFGHIJ")
f:focus(narrow)
f:key("Ctrl+V")
f:focus("after")
local kept = narrow.Value.value
check.eq(#kept < 20 and #kept > 0, true, "cut to the box's width")
check.eq(kept, ("0123456789ABCDEFGHIJ"):sub(1, #kept), "the beginning is kept")

-- A multi-line box: Enter breaks lines, or with TabByReturn moves on without breaking one.
local memo = f:add("memo", { x = 0, y = 150, w = 160, h = 60 })
memo.DataType = vl.VlTextString
f.mode = "design"
memo.MultiLine = true
f.mode = "user"
f:focus(memo)
f:type("ab")
f:key("Enter")
f:type("cd")
check.eq(f:focused(), "memo", "Enter stays in a multi-line box")
memo.TabByReturn = true
f:key("Enter")
check.eq(f:focused(), "before", "TabByReturn moves on to the next in tab order")
check.eq(memo.Value, vl.String("ab\r\ncd"), "one line break, none from the Enter that moved on")

-- A password box never shows its text, not even while it is being edited.
do
  local pf = vl.Form{}
  local pw = pf:add("pw")
  pw.PasswordChar = "*"
  pw.Value = "abc"
  check.eq(pf:shown(pw), "***", "password display")
  pf:focus(pw)
  check.eq(pf:shown(pw), "***", "password while editing")
  pf:key("End")
  pf:type("d")
  check.eq(pf:shown(pw), "****", "one placeholder per byte")
  check.eq(pw.Text, "abcd", "the text itself")
end
print("string_editing (password): ok")
