-- A full-width name with its furigana: the name box opens the input method in hiragana and takes
-- double-byte characters only; each confirmed conversion hands its reading to the Furigana event,
-- which fills the reading box in full-width katakana.
--   vltext run examples/cookbook/full_name.lua [picture.png]
local f = vl.Form{}

local name = f:add("name", {x = 8, y = 8, w = 300, h = 24})
name.DataType = vl.VlTextString
name.Format = "@C@C@C@C@C@C@C@C@C@C"        -- ten double-byte characters, none required
name.IMEMode = vl.VlTextIMEHiragana          -- the input method opens in hiragana on entry
name.FuriganaType = vl.VlTextZenKata         -- readings arrive as full-width katakana
name.Captions[vl.VlTextCapLeft].Text = "氏名"
name.Captions[vl.VlTextCapLeft].Size = 60
name.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

local kana = f:add("kana", {x = 8, y = 40, w = 300, h = 24})
kana.DataType = vl.VlTextString
kana.Format = "@k@k@k@k@k@k@k@k@k@k@k@k@k@k@k"   -- full-width katakana or spaces
kana.IMEMode = vl.VlTextIMEKatakanaDbl
kana.Captions[vl.VlTextCapLeft].Text = "フリガナ"
kana.Captions[vl.VlTextCapLeft].Size = 60
kana.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

-- Each confirmed conversion adds its reading; a name typed again starts a new reading.
name.Furigana = function(e)
  local before = kana.Value == vl.Null and "" or kana.Value.value
  kana.Value = before .. e.KanaString
end

-- What a user does: converts 山田 and 太郎 with the input method, then leaves the box.
f:focus(name)
f:ime_compose("山田", "ﾔﾏﾀﾞ")
f:ime_compose("太郎", "ﾀﾛｳ")
f:key("Tab")

assert(name.Value == vl.String("山田太郎"), tostring(name.Value))
assert(kana.Value == vl.String("ヤマダタロウ"), tostring(kana.Value))
print("name: " .. tostring(name.Value) .. " (" .. tostring(kana.Value) .. ")")

f:render(arg[1] or "full_name.png")
