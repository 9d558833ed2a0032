-- A Date box: its edit form, digits checked per field, an era typed by letter, spin steps and
-- what the host's check receives. Run: build/apps/vltext/vltext run examples/date_box.lua
local f = vl.Form{}
local due = f:add("due")
f:add_button("ok")
f:set_now(vl.Date(2026, 12, 6, 9, 0, 0))   -- "today" for a Null box

due.DataType = vl.VlTextDate
due.Format = "gee年m月d日"
due.SpinButton = 2
due.Value = vl.Date(2026, 12, 6)
print("shown      ", f:shown(due))           -- R08年12月6日

f:focus(due)
print("editing    ", f:shown(due))           -- R08年12月06日: every field at its full width
f:type("h")                                   -- an era letter, in any case
print("typed h    ", f:shown(due))           -- H08年12月06日
f:type("12")                                  -- the era year
print("typed 12   ", f:shown(due))
f:type("3")                                   -- 3 cannot start a month: 03
print("typed 3    ", f:shown(due))
f:key("Left")
f:key("Ctrl+Up")                              -- a spin step of the month under the caret
print("spin up    ", f:shown(due))

due.UserCheckValue = function(e)
  print("UserCheckValue", e.NewValue.typename, e.NewValue.value)   -- the date serial as a Double
end
f:focus("ok")
print("left       ", f:shown(due), tostring(due.Value))
