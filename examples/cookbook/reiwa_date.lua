-- A date in the Japanese calendar: 令和8年12月24日. While the box has the focus the user types
-- the era letter and the digits (R081224); an empty box starts from today's date. The value is
-- an ordinary date, whatever era it is shown in.
--   vltext run examples/cookbook/reiwa_date.lua [picture.png]
local f = vl.Form{}
f:set_now(vl.Date(2026, 12, 6, 9, 0, 0))   -- the script's "today", so the example always agrees

local due = f:add("due", {x = 8, y = 8, w = 220, h = 24})
due.DataType = vl.VlTextDate
due.Format = "ggge年m月d日(aaa)"           -- era name, era year, month, day and weekday
due.Captions[vl.VlTextCapLeft].Text = "納期"
due.Captions[vl.VlTextCapLeft].Size = 45
due.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

local issued = f:add("issued", {x = 8, y = 40, w = 220, h = 24})
issued.DataType = vl.VlTextDate
issued.Format = "gee.mm.dd"                -- the short form many forms print: R08.12.06
issued.Value = vl.Date(2026, 12, 6)
issued.Captions[vl.VlTextCapLeft].Text = "発行日"
issued.Captions[vl.VlTextCapLeft].Size = 45
issued.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft
f:add_button("ok")

f:focus(due)
f:type("R081224")
f:key("Tab")
f:focus("ok")

assert(due.Value == vl.Date(2026, 12, 24), tostring(due.Value))
assert(f:shown(due) == "令和8年12月24日(木)", f:shown(due))
assert(f:shown(issued) == "R08.12.06", f:shown(issued))
print("due " .. f:shown(due) .. " = " .. tostring(due.Value) .. ", issued " .. f:shown(issued))

f:render(arg[1] or "reiwa_date.png")
