-- Shown in a real window by xvfb_e2e.sh, which types into it with xdotool and then closes it:
-- what the script prints after f:show returns is what the user left in the boxes.
local f = vl.Form{}
local qty = f:add("qty", {x = 8, y = 8, w = 160, h = 24})
qty.DataType = vl.VlTextLong
local amount = f:add("amount", {x = 8, y = 40, w = 160, h = 24})
amount.DataType = vl.VlTextLong
amount.Value = vl.Long(5)
amount.SpinButton = 2
local memo = f:add("memo", {x = 8, y = 72, w = 160, h = 24})
memo.DataType = vl.VlTextString
f:focus(qty)
f:events()

f:show{title = "VlText end to end"}

print("qty=" .. tostring(qty.Value) .. " " .. qty.Value.typename)
print("amount=" .. tostring(amount.Value))
print("memo=" .. tostring(memo.Value))
print("focused=" .. tostring(f:focused()))
local changes, keys = {}, 0
for _, e in ipairs(f:events()) do
  if e.name == "Change" then changes[e.control] = (changes[e.control] or 0) + 1 end
  if e.name == "KeyDown" then keys = keys + 1 end
end
print("changes=" .. (changes.qty or 0) .. "," .. (changes.amount or 0) .. "," .. (changes.memo or 0))
print("keydowns>0=" .. tostring(keys > 0))
