-- Saving a form: the boxes, where they are and every property (formats, bounds, captions,
-- values) go to one JSON file; vl.load_form makes a new form with the same boxes from it. A
-- single box's properties can be saved and loaded the same way, and f:reset gives a box its
-- defaults back.
--   vltext run examples/cookbook/save_form.lua [picture.png]
local f = vl.Form{}

local amount = f:add("amount", {x = 8, y = 8, w = 220, h = 24})
amount.DataType = vl.VlTextCurrency
amount.Format = '#,###,##0"円";"△"#,###,##0"円"'   -- seven digits
amount.Value = vl.Currency(-35000)
amount.Captions[vl.VlTextCapLeft].Text = "金額"
amount.Captions[vl.VlTextCapLeft].Size = 45
amount.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

local due = f:add("due", {x = 8, y = 40, w = 220, h = 24})
due.DataType = vl.VlTextDate
due.Format = "ggge年m月d日"
due.Value = vl.Date(2026, 12, 24)
due.Captions[vl.VlTextCapLeft].Text = "期日"
due.Captions[vl.VlTextCapLeft].Size = 45
due.Captions[vl.VlTextCapLeft].Alignment = vl.VlTextCapAlignMiddleLeft

-- The whole form to a file, and back as a new form.
local path = os.tmpname()
f:save_form(path)
local g = vl.load_form(path)
local names = g:boxes()
assert(#names == 2 and names[1] == "amount" and names[2] == "due")
local amount2 = g:box("amount")
assert(amount2.Value == vl.Currency(-35000) and g:shown(amount2) == "△35,000円", g:shown(amount2))
assert(g:shown(g:box("due")) == "令和8年12月24日")

-- One box: its store is a list of entries {name, kind, value}, in the order saving writes them.
local store = f:store(due)
assert(store[1].name == "Version")
f:save(due, path)
f:reset(due)                             -- every property back to its default
assert(due.DataType == vl.VlTextString and due.Format == "")
f:load(due, path)                        -- and back from the file
assert(due.DataType == vl.VlTextDate and f:shown(due) == "令和8年12月24日")
os.remove(path)

-- A file that cannot be read is an error {code = 75, ...}; the box stays as it was.
local ok, err = pcall(f.load, f, due, path)
assert(not ok and err.code == 75)
assert(f:shown(due) == "令和8年12月24日")
print("saved and loaded: " .. g:shown(amount2) .. ", " .. g:shown(g:box("due")))

g:render(arg[1] or "save_form.png")
