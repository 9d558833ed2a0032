-- Handling ValueError with your own message: instead of the component's message box, the form
-- shows its own words in a status line and lets the user go on. CancelDisplay = true suppresses
-- the message box; ReturnFocus = false lets the focus move on (the box keeps its last good value).
--   vltext run examples/cookbook/own_message.lua [picture.png]
local f = vl.Form{}

local price = f:add("price", {x = 8, y = 8, w = 200, h = 24})
price.DataType = vl.VlTextCurrency
price.Format = '#,##0"円"'
price.LowerValue = vl.Currency(1)
price.UpperValue = vl.Currency(9999)
price.CheckValue = true
price.Value = vl.Currency(500)
price.Captions[vl.VlTextCapLeft].Text = "単価"
price.Captions[vl.VlTextCapLeft].Size = 45
price.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

f:add_button("ok", {x = 8, y = 72, w = 80, h = 24})   -- next in the tab order

-- A read-only status line under the box.
local status = f:add("status", {x = 8, y = 40, w = 200, h = 24})
status.DataType = vl.VlTextString
status.Locked = true
status.BorderStyle = 0
status.ForeColor = 0x000000C0          -- dark red (0x00BBGGRR)
status.BackColor = 0x8000000F          -- the button face, as the form behind it

-- One message per error code; the codes are those of the string table (reference.md).
local ownWords = {
  [1000] = "単価は9,999円までです",
  [1001] = "単価は1円以上です",
  [1003] = "単価は4桁までです",
}
price.ValueError = function(e)
  status.Value = ownWords[e.ErrCode] or e.ErrString
  e.CancelDisplay = true
  e.ReturnFocus = false
end
-- Typing again clears the line.
price.KeyPress = function() status.Value = "" end

f:focus(price)
f:key("Home"); f:key("Shift+End")
f:type("0")
f:key("Tab")
assert(#f:messages() == 0)                       -- no message box
assert(f:focused() == "ok")                      -- the focus moved on
assert(price.Value == vl.Currency(500), tostring(price.Value))
assert(status.Value == vl.String("単価は1円以上です"), tostring(status.Value))
print("price " .. f:shown(price) .. "; status: " .. tostring(status.Value))

f:render(arg[1] or "own_message.png")
