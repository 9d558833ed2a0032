-- The input method: IMEMode at focus gain and read back at focus loss, the detached context of
-- mode 3, mask positions switching the mode, and the Furigana event by FuriganaType.
local check = require "check"

local NATIVE, KATAKANA, FULLSHAPE, ROMAN = 0x01, 0x02, 0x08, 0x10

local f = vl.Form{}
f:add_button("before")
local b = f:add("name")
f:add_button("after")
b.DataType = vl.VlTextString

-- The reading of a confirmed composition, as FuriganaType asks.
b.IMEMode = vl.VlTextIMEHiragana
for _, row in ipairs({ { vl.VlTextHanKata, "ｶﾞｯｺｳ" }, { vl.VlTextZenKata, "ガッコウ" }, { vl.VlTextHira, "がっこう" } }) do
  b.FuriganaType = row[1]
  b.Value = ""
  f:focus(b)
  f:events()
  check.eq(f:ime().open, true, "hiragana mode opens the input method")
  check.eq(f:ime_compose("学校", "ｶﾞｯｺｳ"), true, "composed")
  local events = f:events()
  check.eq(events[1].name, "Furigana", "the reading comes first")
  check.eq(events[1].KanaString, row[2], "reading for type " .. row[1])
  check.eq(f:shown(b), "学校", "the composed text is typed")
  f:focus("after")
  check.eq(b.Value, vl.String("学校"), "committed")
end
check.eq(f:ime().open, false, "closed again when the box is left")

-- Focus loss writes the user's last mode back: half-width katakana reads 6.
b.IMEMode = vl.VlTextIMEOn
f:focus(b)
f:ime_set{ conversion = NATIVE | KATAKANA | ROMAN }
f:focus("after")
check.eq(b.IMEMode, 6, "left in half-width katakana")
check.eq(f:ime().open, false, "the box closes the input method")
f:focus(b)
check.eq(f:ime().open, true, "mode 6 opens it again")
check.eq(f:ime().conversion, NATIVE | KATAKANA | ROMAN, "in half-width katakana")
f:ime_set{ open = false }
f:focus("after")
check.eq(b.IMEMode, vl.VlTextIMEOff, "left closed: 2")

-- Mode 0 leaves the input method alone and reads nothing back.
b.IMEMode = vl.VlTextIMENoOp
f:ime_set{ open = true, conversion = FULLSHAPE | ROMAN }
f:focus(b)
f:focus("after")
check.eq(b.IMEMode, 0, "no write-back")
check.eq(f:ime().open, true, "still open")
check.eq(f:ime().conversion, FULLSHAPE | ROMAN, "still full-width alphanumeric")

-- Mode 3: no composition while the box has the focus; the context returns afterwards.
b.IMEMode = vl.VlTextIMEDisable
b.Value = ""
f:focus(b)
check.eq(f:ime().attached, false, "detached while focused")
check.eq(f:ime_compose("学校", "ｶﾞｯｺｳ"), false, "no composition")
check.eq(f:ime_set{ open = false }, false, "the user cannot reach it either")
f:focus("after")
check.eq(b.Value, vl.String(""), "nothing was typed")
f:focus(b)
f:focus("before")
check.eq(f:ime().attached, true, "the button has its context")
check.eq(b.IMEMode, 3, "mode 3 is not rewritten")
f:focus(b)
check.eq(f:ime().attached, false, "detached again on the next visit")
f:focus("after")

-- Mask positions switch the mode as the caret moves: mode 2 opens on a hiragana position.
b.Format = "@J@J99"
b.IMEMode = vl.VlTextIMEOff
b.Value = vl.Null
f:ime_set{ open = false, conversion = NATIVE | FULLSHAPE | ROMAN, sentence = 8 }
f:focus(b)
check.eq(f:ime().open, true, "opened by the hiragana position")
check.eq(f:ime().conversion, NATIVE | FULLSHAPE | ROMAN, "hiragana")
f:type("あい")
check.eq(f:ime().conversion, ROMAN, "half-width on the digit positions")
check.eq(f:ime().sentence, 0, "sentence conversion off for a mask mode")
f:type("12")
f:focus("after")
check.eq(f:ime().sentence, 8, "the user's sentence mode returns")
check.eq(b.Value, vl.String("あい12"), "typed through the mask")
