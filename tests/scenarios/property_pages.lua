-- The design-time property pages as a form builder uses them: presets per data type, enabling,
-- the range and default checks, Apply's order, the caption copies and the colour picker.
local check = require "check"

local msg1302 = "LowerValueプロパティに有効範囲を超えた値を設定する事はできません"
local msg1303 = "UpperValueプロパティに有効範囲を超えた値を設定する事はできません"
local msg1500 = "DefaultValueプロパティの設定値を有効範囲内に変更しました"

local function texts(messages)
  local out = {}
  for _, m in ipairs(messages) do out[#out + 1] = m.text end
  return table.concat(out, " / ")
end

-- Opening and applying without a change writes nothing.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b.DataType = vl.VlTextLong
  b.Format = "#,##0"
  f:notifications()
  f:modified(b, false)
  local pages = f:property_pages(b)
  check.eq(pages:dirty(), false, "nothing changed yet")
  check.eq(pages:apply(), true, "apply")
  check.eq(check.notified(f), "", "no notification")
  check.eq(f:modified(b), false, "the modified flag is untouched")
  check.eq(pages.General:get(236), "#,##0", "a Format that is no preset is shown as it is")
  check.eq(pages.General:get(230), "4", "MaxLength shows the storage size")
  check.eq(pages.General:label(229), "L&owerValue:", "label with its mnemonic")
  check.eq(pages.General:label(205), "&Caption:", "205 names the Caption field")
end

-- The data type: presets, default format, sizes, alignment and enabling.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  local g = f:property_pages(b).General
  check.eq(g:get(241), 6, "DataType shows 8 - String")
  check.eq(#g:items(236), 8, "String presets")
  check.eq(g:enabled(230), true, "MaxLength for String")
  g:set(241, "7 - Date")
  check.eq(#g:items(236), 13, "13 date presets")
  check.eq(g:items(236)[1], "yyyy/mm/dd", "first date preset")
  check.eq(g:get(236), "yyyy/mm/dd", "the date default format")
  check.eq(g:get(230), "8", "Date storage size")
  check.eq(g:enabled(230), false, "MaxLength only for String")
  check.eq(g:get(220), 1, "Right Justify")
  g:set(241, "11 - Boolean")
  check.eq(#g:items(236), 0, "Boolean offers no presets")
  check.eq(g:enabled(236), false, "no Format for Boolean")
  check.eq(g:enabled(237), true, "Caption for Boolean")
  check.eq(g:get(220), 0, "Left Justify")
  check.eq(g:get(230), "2", "Boolean storage size")
  g:set(241, "17 - Byte")
  check.eq(table.concat(g:items(236), " "), '###;;;"null" 000;;;"null" ##0;;;"null"', "Byte presets")
  check.eq(g:get(230), "1", "Byte storage size")
  check.eq(g:get(229) .. ".." .. g:get(232), "0..255", "the range read again for Byte")
end

-- A box whose Format is a date preset shows it again after a switch away and back.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b.DataType = vl.VlTextDate
  b.Format = "yy/m/d"
  local g = f:property_pages(b).General
  g:set(241, "3 - Long")
  check.eq(g:get(236), "", "Long has no default format")
  g:set(241, "7 - Date")
  check.eq(g:get(236), "yy/m/d", "the current Format is chosen among the presets")
end

-- Range checks on leaving the fields, and Apply's order.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b.DataType = vl.VlTextLong
  b.CheckValue = true
  b.LowerValue = 10
  b.UpperValue = 20
  local pages = f:property_pages(b)
  local g = pages.General
  g:set(229, "30")
  g:leave(229)
  check.eq(g:get(229), "10", "a lower end above the upper one goes back")
  check.eq(texts(f:messages()), msg1302, "message 1302")
  g:set(232, "x")
  g:leave(232)
  check.eq(g:get(232), "20", "no number goes back")
  local m = f:messages()
  check.eq(texts(m), msg1303, "message 1303")
  check.eq(m[1].title, "VlText", "titled with the display name")
  check.eq(m[1].owner, "General", "owned by the page")

  -- Both ends below the old lower one: written without a refusal.
  g:set(229, "-5")
  g:set(232, "5")
  f:notifications()
  check.eq(pages:apply(), true, "lowering both ends")
  check.eq(tostring(b.LowerValue) .. ".." .. tostring(b.UpperValue), "-5..5", "new range")
  -- Both ends above the old upper one.
  g:set(232, "200")
  g:set(229, "100")
  check.eq(pages:apply(), true, "raising both ends")
  check.eq(tostring(b.LowerValue) .. ".." .. tostring(b.UpperValue), "100..200", "raised range")
  check.eq(#f:messages(), 0, "no message from Apply")

  g:set(231, false)
  check.eq(g:enabled(229), false, "unchecking CheckValue disables LowerValue")
  check.eq(g:enabled(232), false, "and UpperValue")
  check.refused(5, nil, function() g:set(229, "1") end, "a disabled field takes no input")
end

-- The default value: clamped to the checked range with message 1500, NULL and its enabling.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b.DataType = vl.VlTextInteger
  local pages = f:property_pages(b)
  local g = pages.General
  check.eq(g:get(218), true, "no default: NULL is checked")
  check.eq(g:enabled(226), false, "DefaultValue waits for AllowDefaultValue")
  g:set(231, true)
  g:set(229, "0")
  g:set(232, "50")
  g:set(227, true)
  check.eq(g:enabled(218), true, "NULL with AllowDefaultValue")
  check.eq(g:enabled(226), false, "DefaultValue off while NULL is checked")
  g:set(218, false)
  g:set(226, "99")
  g:leave(226)
  check.eq(g:get(226), "50", "moved to the upper end")
  check.eq(texts(f:messages()), msg1500, "message 1500")
  g:set(226, "-7")
  g:leave(226)
  check.eq(g:get(226), "0", "moved to the lower end")
  f:messages()
  check.eq(pages:apply(), true, "apply")
  check.eq(b.DefaultValue, vl.Integer(0), "default written")
  g:set(218, true)
  pages:apply()
  check.eq(tostring(b.DefaultValue), "", "NULL writes no default")
end

-- String bounds have no order: any two texts are a range, on the page and in the box.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b.CheckValue = true
  b.LowerValue = "m"
  b.UpperValue = "a"
  check.eq(tostring(b.UpperValue), "a", "the box takes a text below the lower one")
  local pages = f:property_pages(b)
  pages.General:set(229, "z")
  pages.General:leave(229)
  check.eq(#f:messages(), 0, "no refusal for texts")
  check.eq(pages:apply(), true, "apply")
  check.eq(tostring(b.LowerValue), "z", "written")
end

-- The DataField list: the columns of the record source the box is connected to.
do
  local f = vl.Form{ mode = "design" }
  local db = vl.Database(":memory:")
  db:exec("create table item(name varchar(20), qty smallint, due date)")
  local src = f:add_source("items", db, "select * from item")
  local b = f:add("b")
  local g = f:property_pages(b).General
  check.eq(#g:items(240), 0, "no record source, no columns")
  b.DataSource = src
  local pages = f:property_pages(b)
  g = pages.General
  check.eq(table.concat(g:items(240), " "), "name qty due", "the columns in the source's order")
  g:set(240, "due")
  check.eq(g:get(241), 5, "a Date column makes a Date box")
  check.eq(#g:items(236), 13, "with the date presets")
  check.eq(g:get(242), true, "a column of a query is read-only: Locked")
  g:set(240, 0)
  check.eq(g:get(241), 6, "the text column")
  check.eq(g:get(230), "20", "its width as MaxLength")
  check.eq(pages:apply(), true, "apply")
  check.eq(b.DataField .. " " .. b.DataType .. " " .. b.MaxLength, "name 8 20", "bound")
end

-- The era profile's Browse button and a refused write.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  local pages = f:property_pages(b)
  f:answer_dialog("file", "/tmp/eras.ini")
  pages.General:set(244)
  check.eq(pages.General:get(234), "/tmp/eras.ini", "the chosen path")
  local d = f:dialogs()
  check.eq(d[1].kind, "file", "a file dialog")
  check.eq(d[1].filter, "Ini Files (*.ini)|*.ini|All Files (*.*)|*.*||", "its filter")
  pages.General:set(244)
  check.eq(pages.General:get(234), "/tmp/eras.ini", "a cancelled dialog changes nothing")
  pages.Style:set(251, "漢")
  local ok, err = pages:apply()
  check.eq(ok, false, "a refused write")
  check.eq(err.code, 380, "refused with 380")
  check.eq(texts(f:messages()), "2バイト文字は設定できません", "the box's message is shown")
  check.eq(b.EraProfile, "/tmp/eras.ini", "the General page was written before")
  check.eq(b.PasswordChar, "", "the refused property is unchanged")
end

-- The Caption page: four copies, "%f" lengths, the sample, the font dialog, Apply.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b", { x = 0, y = 0, w = 200, h = 60 })
  b.Captions[vl.VlTextCapLeft].Size = 18  -- 635 HIMETRIC, exactly
  local pages = f:property_pages(b)
  local c = pages.Caption
  check.eq(c:get(204), "18.000000", "Size with six decimals")
  c:set(202, "&Name")
  check.eq(c:get(209), "&Name", "the sample follows the text")
  c:set(215, 2)
  check.eq(c:get(202), "", "the Top copy")
  c:set(202, "Top")
  c:set(203, 4)
  f:answer_dialog("font", { name = "ＭＳ ゴシック", size = 12, bold = true })
  c:set(208)
  local d = f:dialogs()
  check.eq(d[1].font.name, "ＭＳ Ｐゴシック", "the font dialog starts on the caption's font")
  c:set(215, 0)
  check.eq(c:get(202), "&Name", "the Left copy kept its text")
  c:set(204, "abc")
  c:leave(204)
  check.eq(c:get(204), "18.000000", "a length that is no number goes back")
  check.eq(texts(f:messages()), "設定値を変換できませんでした", "and says why")
  check.eq(pages:apply(), true, "apply")
  check.eq(b.Captions[0].Text, "&Name", "Left text")
  check.eq(b.Captions[2].Text, "Top", "Top text")
  check.eq(b.Captions[2].Alignment, 4, "Top alignment")
  check.eq(b.Captions[2].Font.Name, "ＭＳ ゴシック", "Top font")
  check.eq(b.Captions[1].Text, "", "Right untouched")
end

-- One side grows while the other shrinks: the old sizes cut nothing.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b", { x = 0, y = 0, w = 200, h = 60 })  -- 150 points wide
  b.Captions[1].Size = 90
  local pages = f:property_pages(b)
  local c = pages.Caption
  c:set(204, "90")
  c:set(215, 1)
  c:set(204, "18")
  pages:apply()
  check.eq(math.floor(b.Captions[0].Size + 0.5), 90, "the left caption grew into the room the right one left")
  check.eq(math.floor(b.Captions[1].Size + 0.5), 18, "right shrank")
end

-- The colour picker.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  local pages = f:property_pages(b)
  local text = pages.Caption:colour_list(217)
  local items = text:drop_down()
  check.eq(items[1].text, "*System Color", "first command")
  check.eq(items[1].value, 0xF1000000, "its value")
  check.eq(items[2].text, "*New Color", "second command")
  check.eq(items[3].text, "ﾎﾞﾀﾝの文字", "the current system colour by name")
  check.eq(items[5].text, "00FF0000", "an RGB colour as eight hex digits")
  local size = #vl.palette()

  f:answer_dialog("colour", nil)
  check.eq(text:choose(2), 0x80000012, "cancelled: the colour stays")
  f:answer_dialog("colour", 0x0000FF)
  check.eq(text:choose(2), 0x0000FF, "an existing colour is chosen")
  check.eq(#vl.palette(), size, "and nothing is added")
  f:answer_dialog("colour", 0x336699)
  check.eq(text:choose(2), 0x336699, "a new colour")
  check.eq(vl.palette()[1], 0x336699, "at the front of the palette")
  local back = pages.Caption:colour_list(218):drop_down()
  local offered = false
  for _, it in ipairs(back) do offered = offered or it.value == 0x336699 end
  check.eq(offered, true, "the other list offers it too")
  check.eq(f:dialogs()[1].colour, 0x000000, "the dialog starts on the current colour")

  -- System colours by name.
  text:drop_down()
  text:choose(1)
  local system = text:drop_down()
  check.eq(#system, 25, "25 system colours")
  check.eq(system[16].text, "ﾎﾞﾀﾝの表面", "colour 15 by name")
  check.eq(text:choose(16), 0x8000000F, "a system colour chosen")
  pages:apply()
  check.eq(b.Captions[0].TextColor, 0x8000000F, "stored as the caption's TextColor")
end

-- Keyboard: Tab, the labels' mnemonics and Ctrl+Tab.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  local pages = f:property_pages(b)
  pages:show("General")
  check.eq(select(2, pages:focused()), 240, "the first field")
  f:key("Tab")
  check.eq(select(2, pages:focused()), 241, "Tab")
  f:key("Shift+Tab")
  check.eq(select(2, pages:focused()), 240, "Shift+Tab")
  f:key("Alt+H")
  check.eq(pages.General:get(231), true, "Alt+H ticks CheckValue")
  f:key("Alt+O")
  check.eq(select(2, pages:focused()), 229, "Alt+O goes to LowerValue")
  f:key("Ctrl+Tab")
  f:key("Tab")
  check.eq(table.concat({pages:focused()}, " "), "Style 214", "Ctrl+Tab shows the Style page")
end

-- A box's handler may close the pages while they write to it, or while they take the focus.
do
  local f = vl.Form{}  -- user mode: the box raises its events
  local b = f:add("b")
  b.Value = "abcdef"
  local pages = f:property_pages(b)
  b.ValueError = function() pages:close() end
  pages.General:set(236, "!aaa")  -- the value no longer fits: ValueError while Apply writes Format
  local ok, err = pages:apply()
  check.eq(ok, false, "Apply stops")
  check.eq(err.code, 5, "and says the pages were closed")
  check.eq(b.Format, "!aaa", "what was written stays written")
  check.refused(5, nil, function() return pages.General end, "the pages are gone")

  b.DataType = vl.VlTextLong
  b.CheckValue = true
  b.UpperValue = 10
  pages = f:property_pages(b)
  f:focus(b)
  f:type("99")
  b.ValueError = function(e) e.ReturnFocus = false; pages:close() end
  check.refused(5, nil, function() pages.General:set(231, false) end, "the focus left the box for a closed page")
  check.eq(f:property_pages(b).General:get(241), 1, "a new frame opens as before")
end

-- The About box: the display name and the version.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  b:AboutBox()
  local m = f:messages()
  check.eq(#m, 1, "one message box")
  check.eq(m[1].title, "VlText", "titled with the display name")
  check.eq(m[1].text:match("^VlText バージョン %d+%.%d+") ~= nil, true, "name and version: " .. m[1].text)
end

-- Bad arguments are errors with a code and a message.
do
  local f = vl.Form{ mode = "design" }
  local b = f:add("b")
  local pages = f:property_pages(b)
  check.refused(5, nil, function() return pages.General:get(999) end, "no such field")
  check.refused(5, nil, function() return pages.Nothing end, "no such page")
  check.refused(5, nil, function() pages.General.get(nil, 241) end, "not a page")
  check.refused(5, nil, function() pages.General:set(241, 42) end, "no such item")
  check.refused(5, nil, function() f:answer_dialog("printer", 1) end, "no such dialog")
  pages:close()
  check.refused(5, nil, function() return pages.General end, "closed pages")
end

print("property_pages: ok")
