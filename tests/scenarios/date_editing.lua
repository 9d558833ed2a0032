-- Typing, stepping and leaving Date boxes: the digit rules of each field, eras typed by letter,
-- spin steps that wrap inside a field, the display form, the host's check and the clipboard.
local check = require "check"

local f = vl.Form{}
f:add_button("before")
local b = f:add("due")
local other = f:add("other")
f:add_button("after")
f:set_now(vl.Date(2026, 12, 6, 9, 30, 0))
b.DataType = vl.VlTextDate
other.DataType = vl.VlTextDate
check.eq(b.Format, "yyyy/mm/dd", "a Date box's own Format")

-- Puts the caret on character `n` of the edit form (0 = first) with Home and Right, which step
-- over the separators.
local function caret(n)
  f:key("Home")
  for _ = 1, 30 do
    if f:selection(f:focused() == "due" and b or other).start >= n then break end
    f:key("Right")
  end
  check.eq(f:selection(f:focused() == "due" and b or other).start, n, "caret placed")
end

-- Month: 3 typed first is 03; after a first 1 the second digit takes only 0-2.
b.Value = vl.Date(2000, 1, 2)
f:focus(b)
check.eq(f:shown(b), "2000/01/02", "edit form")
check.eq(f:selection(b).start, 0, "caret on the first field")
caret(5)
f:type("3")
check.eq(f:shown(b), "2000/03/02", "3 into the first month digit")
check.eq(f:selection(b).start, 8, "the caret went on to the day")
caret(5)
f:type("1")
check.eq(f:shown(b), "2000/10/02", "1 first, the second digit starts again from 0")
f:events()
f:type("5")
check.eq(f:shown(b), "2000/10/02", "5 after a first 1 is refused")
check.eq(check.events(f), "KeyDown KeyPress KeyUp", "a refused digit makes no Change")
f:type("2")
check.eq(f:shown(b), "2000/12/02", "2 after a first 1")

-- Day of February: 29 in 2000 (leap year), not in 1900.
b.Value = vl.Date(2000, 2, 1)
caret(8)
f:type("29")
check.eq(f:shown(b), "2000/02/29", "29 February 2000")
b.Value = vl.Date(1900, 2, 1)
caret(8)
f:type("29")
check.eq(f:shown(b), "1900/02/21", "9 after 2 refused in February 1900")
caret(8)
f:type("3")
check.eq(f:shown(b), "1900/02/03", "3 first in February is 03")
f:focus("after")
check.eq(b.Value, vl.Date(1900, 2, 3), "committed")

-- Time fields: hour 2 then 4 refused; minute 7 first is 07.
b.Format = "yyyy/mm/dd hh:nn:ss"
b.Value = vl.Date(2000, 1, 2, 3, 4, 5)
f:focus(b)
check.eq(f:shown(b), "2000/01/02 03:04:05", "edit form with time")
caret(11)
f:type("24")
check.eq(f:shown(b), "2000/01/02 23:04:05", "hour 24 refused")
caret(14)
f:type("7")
check.eq(f:shown(b), "2000/01/02 23:07:05", "minute 7 is 07")
f:focus("after")
check.eq(f:shown(b), "2000/01/02 23:07:05", "display form")

-- Spin steps wrap inside the field under the caret.
b.SpinButton = 1
b.Format = "yyyy/mm/dd hh:nn"
b.Value = vl.Date(2000, 12, 15, 10, 59, 0)
f:focus(b)
caret(5)
f:events()
f:key("Ctrl+Up")
check.eq(f:shown(b), "2000/01/15 10:59", "December up is January of the same year")
check.eq(check.events(f), "KeyDown SpinUp Change KeyUp", "events of a step")
caret(14)
f:key("Ctrl+Up")
check.eq(f:shown(b), "2000/01/15 10:00", "minute 59 up is 0, the hour stays")
caret(8)
f:key("Ctrl+Down")
check.eq(f:shown(b), "2000/01/14 10:00", "day down")
b.Value = vl.Date(2000, 3, 31)
caret(5)
f:key("Ctrl+Down")
check.eq(f:shown(b), "2000/02/29 00:00", "31 March down a month keeps no 31 February")
f:focus("after")

-- With a range inside one year, the month wraps within the range's months.
b.CheckValue = true
b.LowerValue = vl.Date(2000, 3, 1)
b.UpperValue = vl.Date(2000, 6, 30)
b.Value = vl.Date(2000, 6, 10)
f:focus(b)
caret(5)
f:key("Ctrl+Up")
check.eq(f:shown(b), "2000/03/10 00:00", "June up wraps to March")
f:key("Ctrl+Down")
check.eq(f:shown(b), "2000/06/10 00:00", "March down wraps to June")
-- Typing past the upper bound fails the commit.
caret(5)
f:type("09")
f:events()
f:focus("after")
local evs = f:events()
check.eq(evs[1].name, "ValueError", "above the range")
check.eq(evs[1].ErrCode, 1000, "code of a date above the range")
check.eq(#f:messages(), 1, "message box")
check.eq(f:focused(), "due", "the focus came back")
b.Value = vl.Date(2000, 6, 10)
f:focus("after")
f:events()
b.CheckValue = false

-- Eras: display and typing.
b.Format = "gee年m月d日"
b.Value = vl.Date(2000, 1, 2)
check.eq(f:shown(b), "H12年1月2日", "2000-01-02 with an era")
b.Value = vl.Date(2026, 12, 6)
check.eq(f:shown(b), "R08年12月6日", "2026-12-06 with an era")
f:focus(b)
check.eq(f:shown(b), "R08年12月06日", "era edit form")
f:type("h")
check.eq(f:shown(b), "H08年12月06日", "h selects 平成")
f:type("x")
check.eq(f:shown(b), "H08年12月06日", "a letter no era has is refused in the era year")
f:type("s")
check.eq(f:shown(b), "S08年12月06日", "an era letter in the era year switches the era")
f:focus("after")
check.eq(b.Value, vl.Date(1933, 12, 6), "昭和8 is 1933")
b.Format = "ggge年"
check.eq(f:shown(b), "昭和8年", "full era name")
b.Format = "gee年mm月dd日"
b.Value = vl.Date(1800, 1, 2)
f:focus(b)
check.eq(f:shown(b), "1800年01月02日", "no era: a four-digit year takes its place")
f:focus("after")

-- The host's check sees the date as a Double serial.
b.Format = "yyyy/mm/dd"
b.Value = vl.Date(2000, 1, 2)
local seen
b.UserCheckValue = function(e) seen = e.NewValue end
f:focus(b)
caret(8)
f:type("03")
f:focus("after")
check.eq(seen.typename, "Double", "UserCheckValue type")
check.eq(seen.value, vl.Date(2000, 1, 3).value, "UserCheckValue serial")
b.UserCheckValue = nil

-- Null: the edit form starts from today; KeepNull keeps an untouched box Null.
other.Format = "yyyy/mm/dd"
other.KeepNull = true
f:focus(other)
check.eq(f:shown(other), "2026/12/06", "a Null box edits from today")
f:focus("after")
check.eq(other.Value.typename, "Null", "left untouched with KeepNull")
other.KeepNull = false
f:focus(other)
f:focus("after")
check.eq(other.Value, vl.Date(2026, 12, 6), "without KeepNull today is taken")
other.Value = vl.Null

-- Copy and Paste between Date boxes go through VlCF_DATE, whatever the two Formats show.
b.Format = "gee年m月d日"
b.Value = vl.Date(2019, 5, 1)
f:focus(b)
f:key("Ctrl+C")
local clip = f:clipboard()
check.eq(clip.text, "R01年05月01日", "text on the clipboard")
check.eq(table.concat(clip.formats, ","), "CF_TEXT,VlCF_DATE", "formats on the clipboard")
other.Format = "yyyy/mm/dd"
f:focus(other)
f:key("Ctrl+V")
check.eq(f:shown(other), "2019/05/01", "pasted through VlCF_DATE")
f:focus("after")
check.eq(other.Value, vl.Date(2019, 5, 1), "pasted value")
-- Plain text from another program is read as a date; other text is refused.
f:set_clipboard("2001/02/03")
f:focus(other)
f:key("Ctrl+V")
check.eq(f:shown(other), "2001/02/03", "text pasted")
f:events()
f:set_clipboard("12a")
f:key("Ctrl+V")
check.eq(f:shown(other), "2001/02/03", "a text that is no date changes nothing")
check.eq(check.events(f):find("Change"), nil, "no Change for a refused paste")
f:focus("after")

-- 29 February 1500 passes the digit rule (Julian leap year) but is no date: the commit fails.
b.Format = "yyyy/mm/dd"
b.Value = vl.Date(1500, 2, 1)
f:focus(b)
caret(8)
f:type("29")
check.eq(f:shown(b), "1500/02/29", "29 typed into February 1500")
f:events()
f:focus("after")
evs = f:events()
check.eq(evs[1].name, "ValueError", "no such date")
check.eq(evs[1].ErrCode, 1006, "code of a text that is no date")
