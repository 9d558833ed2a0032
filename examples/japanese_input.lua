-- Japanese input in String boxes: a telephone mask filled from the right, a katakana name box
-- whose furigana arrives as the user confirms each word, and the input-method mode each box
-- asks for.
local f = vl.Form{}
local tel = f:add("tel")
local name = f:add("name", { x = 0, y = 30, w = 200, h = 24 })
local kana = f:add("kana", { x = 0, y = 60, w = 200, h = 24 })
for _, b in ipairs({ tel, name, kana }) do b.DataType = vl.VlTextString end

-- "!" lays the number in from the right, so a short area code keeps its place.
tel.Format = "!\\(99\\)9999\\-9999"
tel.Value = "312345678"
print("tel shows   ", f:shown(tel))

-- The name box opens the input method in hiragana; each confirmed word's reading goes to the
-- kana box, in hiragana as FuriganaType asks.
name.IMEMode = vl.VlTextIMEHiragana
name.FuriganaType = vl.VlTextHira
name.Furigana = function(e) kana.Value = (kana.Value.value or "") .. e.KanaString end
f:focus(name)
print("input method", f:ime().open and "open" or "closed", ("conversion 0x%02X"):format(f:ime().conversion))
f:ime_compose("学校", "ｶﾞｯｺｳ")
f:ime_compose("太郎", "ﾀﾛｳ")
f:focus(tel)
print("name        ", name.Value)
print("kana        ", kana.Value)

-- The user left the input method in half-width katakana: IMEMode now says so.
f:focus(name)
f:ime_set{ conversion = 0x13 }
f:focus(tel)
print("IMEMode     ", name.IMEMode, "(6: half-width katakana)")
