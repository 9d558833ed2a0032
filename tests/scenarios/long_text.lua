-- Long texts through whole boxes: a paste, a SelText write and typing into texts of tens of
-- kilobytes, and a mask of a thousand positions typed full. Each edit costs what it changes, so
-- all of it completes at once and gives exactly the text a person would expect. (The test's
-- time limit in CMake is a guard against a return to edits that re-lay the whole text per
-- character, which took minutes here.)
local check = require "check"

-- 64 KB of words, with double-byte ones among them.
local function words(bytes)
  local w = { "order ", "12345 ", "東京都 ", "invoice ", "請求書 ", "delivery ", "ｶﾀｶﾅ " }
  local t, n, i = {}, 0, 0
  while n < bytes do
    i = i + 1
    local piece = w[i % #w + 1]
    t[#t + 1] = piece
    n = n + #piece
  end
  return table.concat(t)
end
local long = words(64 * 1024)

local f = vl.Form{ font = "fixed" }
local b = f:add("note", { x = 8, y = 8, w = 300, h = 24 })
b.DataType = vl.VlTextString

-- A paste into an empty box, then into the middle of the pasted text.
f:focus(b)
f:set_clipboard(long)
f:key("Ctrl+V")
check.eq(b.Text == long, true, "the paste gives the clipboard's text")
check.eq(b.SelStart, utf8.len(long), "the caret after the pasted text")
b.SelStart = 6
b.SelLength = 0
f:set_clipboard("INSERTED ")
f:key("Ctrl+V")
check.eq(b.Text == long:sub(1, 6) .. "INSERTED " .. long:sub(7), true, "a paste in the middle keeps both sides")

-- SelText over a selection in the middle of the long text.
b.SelStart = 6
b.SelLength = 9
b.SelText = long
check.eq(b.Text == long:sub(1, 6) .. long .. long:sub(7), true, "SelText replaces the selection by the long text")

-- Typing at the end of a long text, one key at a time.
f:focus("note")
b.SelStart = utf8.len(b.Text)
local before = b.Text
local typed = string.rep("abc", 700)
f:type(typed)
check.eq(b.Text == before .. typed, true, "typed characters land at the end")

-- The value committed when the focus leaves is the whole text.
f:add_button("ok")
f:focus("ok")
check.eq(b.Value.value == before .. typed, true, "the committed value")

-- A mask of a thousand positions typed full, then edited in the middle.
local m = f:add("code", { x = 8, y = 40, w = 300, h = 24 })
local mask = string.rep("9999-", 249) .. "9999"
m.Format = mask
f:focus(m)
local digits = {}
for i = 1, 1000 do digits[i] = tostring(i % 10) end
local all = table.concat(digits)
f:type(all)
check.eq(m.Text, all, "every position filled")
f:type("7")
check.eq(m.Text, all, "a full mask refuses one more digit")
m.SelStart = 5
m.SelLength = 0
f:key("Delete")
check.eq(m.Text, all:sub(1, 4) .. all:sub(6), "a deletion in the middle moves the rest back")
f:type("5")
check.eq(m.Text, all, "typing there fills the freed position again")
f:focus("ok")
check.eq(m.Value.value, all, "the committed mask value")
