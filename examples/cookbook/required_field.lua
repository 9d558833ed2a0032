-- A required field: the customer code may not be left empty. There is no "required" property;
-- the host's own check, the UserCheckValue event, refuses an empty value with a code of its own
-- (100 to 999) and a message. The box then raises ValueError with that code, shows the message
-- and keeps the focus until the user types a code.
--   vltext run examples/cookbook/required_field.lua [picture.png]
local f = vl.Form{}

local customer = f:add("customer", {x = 8, y = 8, w = 200, h = 24})
customer.DataType = vl.VlTextString
customer.Format = "<aaaaaa"            -- up to six letters or digits, upper-cased as typed
customer.IMEMode = vl.VlTextIMEDisable
customer.Captions[vl.VlTextCapLeft].Text = "得意先*"
customer.Captions[vl.VlTextCapLeft].Size = 50
customer.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
f:add_button("ok")

local kRequired = 100                  -- the host's own error code
customer.UserCheckValue = function(e)
  if e.NewValue == vl.Null or e.NewValue == vl.String("") then
    e.ErrCode = kRequired
    e.ErrString = "得意先コードを入力してください"
  end
end

-- The user tabs through the empty box: refused, the message is shown, the focus stays.
f:focus(customer)
f:key("Tab")
local shown = f:messages()
assert(#shown == 1 and shown[1].text == "得意先コードを入力してください")
assert(f:focused() == "customer")

-- With a code typed the box lets the user go.
f:type("c00012")
f:key("Tab")
assert(customer.Value == vl.String("C00012"), tostring(customer.Value))
assert(f:focused() == "ok")
print("customer " .. tostring(customer.Value) .. "; empty refused with: " .. shown[1].text)

f:render(arg[1] or "required_field.png")
