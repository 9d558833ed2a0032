-- A first box: place it on a form, set its properties, write a value, and read back what the
-- box holds and the events it raised.
local f = vl.Form{ mode = "user" }
local price = f:add("price")

price.DataType = vl.VlTextLong
price.Format = "#,##0"
price.CheckValue = true
price.LowerValue = vl.Long(0)
price.UpperValue = vl.Long(100000)

print("DataType   ", price.DataType)
print("Format     ", price.Format)
print("Alignment  ", price.Alignment)
print("MaxLength  ", price.MaxLength)
print("BackColor  ", string.format("0x%08X", price.BackColor))

price.Value = 1234
print("Value      ", price.Value, price.Value.typename)

-- A value above the upper bound is refused: the box keeps 1234 and says why.
price.ValueError = function(e)
  print(("ValueError  %d %s (ErrValue %s)"):format(e.ErrCode, e.ErrString, tostring(e.ErrValue)))
end
price.Value = vl.Long(200000)
print("Value      ", price.Value)

-- A text the Long type cannot read.
price.Value = "abc"
print("Value      ", price.Value)

-- A refused property write is an error the script can catch.
local ok, err = pcall(function() price.DataType = 14 end)
print("DataType=14", ok, tostring(err))

print("events:")
for _, e in ipairs(f:events()) do
  local extra = e.ErrCode and (" " .. e.ErrCode) or ""
  print("  " .. e.control .. " " .. e.name .. extra)
end
print("message boxes:")
for _, m in ipairs(f:messages()) do
  print(("  [%s] %s (owner %s)"):format(m.title, m.text, tostring(m.owner)))
end
