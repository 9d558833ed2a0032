-- Without a display f:show is an error the script can catch, and the form is left as it was.
local f = vl.Form{}
local b = f:add("b")
b.DataType = vl.VlTextLong
b.Value = vl.Long(7)
local ok, err = pcall(f.show, f, {title = "nowhere"})
assert(not ok, "f:show without a display must fail")
assert(type(err) == "table" and err.code == 5, "an error {code, message}: " .. tostring(err))
assert(err.message:find("no desktop window", 1, true), err.message)
assert(b.Value == vl.Long(7))
f:focus(b)
f:type("8")
f:key("Tab")
assert(b.Value == vl.Long(78), "the form goes on: " .. tostring(b.Value))
print("ok: " .. tostring(err))
