// Forms and boxes through the public interface only: properties, events with their write-back,
// input, the transcript, pictures, and a host that does surprising things in its handlers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "public_test_support.h"
#include "vltext/vltext.h"

namespace {

using vl::DataType;
using vl::TypedValue;

// A Long box and a button to tab to, measured with the fixed font so runs repeat exactly.
struct LongForm {
  vl::Form form{vl::FormOptions{.fixedFont = true}};
  vl::Box box = form.AddBox("qty");
  LongForm() {
    form.AddButton("ok");
    box.SetDataType(DataType::Long);
  }
};

TEST(PublicForm, TypedValueComesBackAfterTypingAndTab) {
  struct Row {
    const char* what;
    DataType type;
    const char* typed;
    TypedValue value;
  };
  const Row rows[] = {
      {"long", DataType::Long, "1234", TypedValue::Long(1234)},
      {"currency", DataType::Currency, "1234.5", TypedValue::Currency("1234.5")},
      {"string through UTF-8 and the input method", DataType::String, "abcりんご", TypedValue::String("abcりんご")},
  };
  for (const Row& r : rows) {
    vl::Form form{vl::FormOptions{.fixedFont = true}};
    vl::Box box = form.AddBox("b");
    form.AddButton("ok");
    box.SetDataType(r.type);
    form.Focus("b");
    form.Type(r.typed);
    form.Key("Tab");
    EXPECT_EQ(form.Focused(), "ok") << r.what;
    EXPECT_EQ(box.Value(), r.value) << r.what;
  }
}

TEST(PublicForm, PropertiesByNameAndTheirRefusals) {
  LongForm f;
  f.box.Set("Format", TypedValue::String("#,###,##0"));
  EXPECT_EQ(f.box.Get("Format"), TypedValue::String("#,###,##0"));
  EXPECT_EQ(f.box.Format(), "#,###,##0");
  f.box.SetValue(TypedValue::Long(1234567));
  EXPECT_EQ(f.box.ShownText(), "1,234,567");
  EXPECT_EQ(f.box.GetDataType(), DataType::Long);

  struct Row {
    const char* what;
    std::function<void()> write;
    int code;
  };
  const Row rows[] = {
      {"unknown property", [&] { f.box.Set("Colour", TypedValue::Long(1)); }, 438},
      {"unknown property read", [&] { f.box.Get("Colour"); }, 438},
      {"type mismatch", [&] { f.box.Set("MaxLength", TypedValue::String("many")); }, 13},
      {"a data type that does not exist", [&] { f.box.Set("DataType", TypedValue::Integer(99)); }, 380},
      {"a character the box cannot hold", [&] { f.box.SetFormat("#,##0😀"); }, 380},
      {"a bad caption index", [&] { f.box.Caption(4); }, 381},
  };
  for (const Row& r : rows) EXPECT_EQ(ErrorCode(r.write), r.code) << r.what;
  // Nothing the refused writes touched changed.
  EXPECT_EQ(f.box.Format(), "#,###,##0");
  EXPECT_EQ(f.box.GetDataType(), DataType::Long);
  EXPECT_EQ(f.box.Value(), TypedValue::Long(1234567));
}

TEST(PublicForm, ColoursCaptionsAndFonts) {
  LongForm f;
  f.box.SetBackColor(0x8000000F);
  EXPECT_EQ(f.box.BackColor(), 0x8000000Fu);
  f.box.Set("ForeColor", TypedValue::Double(2147483656.0));  // 0x80000008 from a wide number
  EXPECT_EQ(f.box.ForeColor(), 0x80000008u);

  vl::Caption left = f.box.Caption(0);
  left.SetText("数量(&Q)");
  EXPECT_EQ(f.box.Caption(0).Text(), "数量(&Q)");
  EXPECT_EQ(f.box.GetMnemonic()->key, 'Q');
  f.box.SetCaption(1, left);
  EXPECT_EQ(f.box.Caption(1).Text(), "数量(&Q)");

  vl::Font font = f.box.Font();
  font.SetBold(true);
  EXPECT_TRUE(f.box.Get("FontBold").AsBoolean());
  EXPECT_EQ(ErrorCode([&] { font.SetSize(0); }), 380);
}

TEST(PublicForm, HandlersWriteByReferenceParametersBack) {
  LongForm f;
  f.box.SetUpperValue(TypedValue::Long(100));
  f.box.SetCheckValue(true);
  f.box.On("KeyPress", [](vl::Event& e) {
    if (e["KeyAscii"].AsInteger() == '9') e["KeyAscii"] = TypedValue::Integer(0);
  });
  f.box.On("ValueError", [](vl::Event& e) {
    e["CancelDisplay"] = TypedValue::Boolean(true);
    e["ReturnFocus"] = TypedValue::Boolean(false);
  });
  f.form.Focus("qty");
  f.form.Type("5919");  // the nines are swallowed: 51 stays within bounds
  f.form.Key("Tab");
  EXPECT_EQ(f.box.Value(), TypedValue::Long(51));
  f.form.TakeEvents();

  f.form.Focus("qty");
  f.form.Key("End");
  f.form.Type("0");  // 510 is above the upper bound
  f.form.Key("Tab");
  EXPECT_TRUE(f.form.TakeMessages().empty());  // CancelDisplay
  EXPECT_EQ(f.form.Focused(), "ok");           // ReturnFocus False
  bool sawError = false;
  for (const vl::Event& e : f.form.TakeEvents()) {
    if (e.name != "ValueError") continue;
    sawError = true;
    EXPECT_EQ(e.box, "qty");
    EXPECT_EQ(e["ErrCode"], TypedValue::Long(1000));
    EXPECT_EQ(e["ErrString"].AsString(), "入力値が上限値を超えました");
    EXPECT_EQ(e["CancelDisplay"], TypedValue::Boolean(true));  // recorded as the handler left it
  }
  EXPECT_TRUE(sawError);
}

TEST(PublicForm, MessageBoxesAreRecordedAndAnsweredByTheHost) {
  LongForm f;
  f.box.SetUpperValue(TypedValue::Long(10));
  f.box.SetCheckValue(true);
  std::vector<std::string> asked;
  f.form.SetMessageBoxHandler([&](const vl::MessageBoxRequest& r) {
    asked.push_back(r.owner + ": " + r.text);
    return 1;
  });
  f.form.Focus("qty");
  f.form.Type("11");
  f.form.Key("Tab");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], "qty: 入力値が上限値を超えました");
  const auto shown = f.form.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].owner, "qty");
  EXPECT_EQ(f.form.Focused(), "qty");  // the focus came back to the box
}

TEST(PublicForm, AHandlersExceptionReachesTheCallerAndTheFormGoesOn) {
  LongForm f;
  int calls = 0;
  f.box.On("KeyPress", [&](vl::Event&) {
    ++calls;
    throw std::runtime_error("host failed");
  });
  f.form.Focus("qty");
  EXPECT_THROW(f.form.Type("123"), std::runtime_error);
  EXPECT_EQ(calls, 1);  // typing stopped where the handler failed
  f.box.On("KeyPress", nullptr);
  f.form.Type("45");
  f.form.Key("Tab");
  EXPECT_EQ(f.box.Value(), TypedValue::Long(145));
}

TEST(PublicForm, HandlersThatRebuildTheBoxOrDropTheForm) {
  // A handler that changes the data type under the typing, and one that moves the focus away.
  LongForm f;
  f.box.On("Change", [&](vl::Event&) { f.box.SetDataType(DataType::String); });
  f.form.Focus("qty");
  f.form.Type("12");
  f.form.Key("Tab");
  EXPECT_EQ(f.box.GetDataType(), DataType::String);

  auto dropped = std::make_unique<LongForm>();
  vl::Box kept = dropped->box;
  dropped->box.On("KeyDown", [&](vl::Event&) { dropped->form = vl::Form(); });
  dropped->form.Focus("qty");
  dropped->form.Type("1");  // the form goes while its own key is being handled
  EXPECT_EQ(ErrorCode([&] { kept.Value(); }), 5);
  dropped.reset();
  EXPECT_EQ(ErrorCode([&] { kept.SetValue(TypedValue::Long(1)); }), 5);
}

TEST(PublicForm, NamesFocusAndClosedForms) {
  LongForm f;
  EXPECT_EQ(ErrorCode([&] { f.form.AddBox("qty"); }), 5);
  EXPECT_EQ(ErrorCode([&] { f.form.AddButton("ok"); }), 5);
  EXPECT_EQ(ErrorCode([&] { f.form.AddBox(""); }), 5);
  EXPECT_EQ(ErrorCode([&] { f.form.Focus("nobody"); }), 5);
  EXPECT_EQ(ErrorCode([&] { f.form.Key("Hyper+Q"); }), 5);
  EXPECT_EQ(ErrorCode([&] { f.box.On("Clicked", [](vl::Event&) {}); }), 438);
  EXPECT_EQ(f.form.BoxNames(), std::vector<std::string>{"qty"});
  EXPECT_EQ(f.form.ButtonNames(), std::vector<std::string>{"ok"});
  EXPECT_FALSE(f.form.FindBox("nobody"));
  EXPECT_EQ(f.form.GetBox("qty"), f.box);
  EXPECT_FALSE(f.form.Focused());
  f.form.Focus("ok");
  EXPECT_EQ(f.form.Focused(), "ok");

  vl::Form moved = std::move(f.form);
  EXPECT_EQ(f.box.GetDataType(), DataType::Long);  // the handle follows the form it belongs to
  moved = vl::Form();
  EXPECT_EQ(ErrorCode([&] { f.box.GetDataType(); }), 5);
}

TEST(PublicForm, DesktopKeysLetTheTextInputBringThePrintableCharacters) {
  LongForm f;
  f.form.Focus("qty");
  // A desktop sends each key with only its control character and the text input's characters.
  for (char c : std::string("123")) {
    f.form.KeyDown(c, vl::KeyText::ControlOnly);
    f.form.Characters(std::string(1, c));
    f.form.KeyUp(c);
  }
  f.form.KeyDown(vl::keys::kBack, vl::KeyText::ControlOnly);  // Backspace is a control character
  f.form.KeyUp(vl::keys::kBack);
  EXPECT_EQ(f.box.ShownText(), "12");
  EXPECT_FALSE(f.form.IsKeyDown(vl::keys::kBack));
  f.form.KeyDown(vl::keys::kShift);
  EXPECT_TRUE(f.form.IsKeyDown(vl::keys::kShift));
  f.form.KeyUp(vl::keys::kShift);
}

TEST(PublicForm, ClipboardCarriesTextAndTheBoxsOwnFormats) {
  LongForm f;
  f.box.SetValue(TypedValue::Long(42));
  f.form.Focus("qty");
  f.form.Key("Ctrl+C");
  const vl::ClipboardContents copied = f.form.Clipboard();
  EXPECT_EQ(copied.text, "42");
  EXPECT_NE(std::find(copied.formats.begin(), copied.formats.end(), "VlCF_LONG"), copied.formats.end());

  f.form.SetClipboardText("77");
  f.form.Key("Ctrl+V");
  f.form.Key("Tab");
  EXPECT_EQ(f.box.Value(), TypedValue::Long(77));
  EXPECT_EQ(ErrorCode([&] { f.form.SetClipboardText("😀"); }), 380);
  EXPECT_EQ(f.form.Clipboard().text, "77");  // the refused text left the clipboard alone
}

TEST(PublicForm, MouseInTheFormsPixelsAndThePointersShape) {
  LongForm f;
  f.box.SetValue(TypedValue::Long(123));
  const vl::Point inside = f.box.ToForm(10, 10);
  f.form.Mouse(vl::MouseAction::Move, inside);
  EXPECT_EQ(f.form.Cursor(), vl::Cursor::IBeam);
  f.form.Mouse(vl::MouseAction::LeftDown, inside);
  f.form.Mouse(vl::MouseAction::LeftUp, inside);
  f.form.Wait(600);
  EXPECT_EQ(f.form.Focused(), "qty");
  EXPECT_STREQ(vl::CursorName(vl::Cursor::IBeam), "ibeam");
}

TEST(PublicForm, PicturesAndTheCallersBuffer) {
  LongForm f;
  f.box.SetValue(TypedValue::Long(5));
  const vl::Picture picture = f.form.Render(true);
  const vl::Rect extent = f.form.Extent();
  EXPECT_EQ(picture.Width(), extent.width);
  EXPECT_EQ(picture.Height(), extent.height);
  const vl::Rect box = f.box.Bounds();
  EXPECT_EQ(picture.Width(), box.x + box.width + 8);

  // A buffer wider than the form, with padding at the end of each row: the form lands at its
  // top-left corner and nothing beyond its rows is written.
  const int width = picture.Width() + 5;
  const int stride = width * 4 + 12;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride) * (picture.Height() + 2), 0xAB);
  f.form.Draw(vl::RgbaBuffer{buffer.data(), width, picture.Height() + 2, stride});
  const vl::Picture real = f.form.Render();
  for (int y : {0, picture.Height() / 2, picture.Height() - 1}) {
    const auto* row = buffer.data() + static_cast<std::size_t>(y) * stride;
    EXPECT_TRUE(std::equal(row, row + real.Width() * 4,
                           real.Rgba().begin() + static_cast<std::ptrdiff_t>(y) * real.Width() * 4));
    EXPECT_EQ(row[real.Width() * 4], 0xAB);
  }
  EXPECT_EQ(buffer[static_cast<std::size_t>(stride) * picture.Height()], 0xAB);
  EXPECT_EQ(ErrorCode([&] { f.form.Draw(vl::RgbaBuffer{buffer.data(), width, 1, width * 4 - 1}); }), 5);
}

TEST(PublicForm, VirtualAndRealClocks) {
  LongForm f;
  EXPECT_EQ(f.form.GetClockKind(), vl::ClockKind::Virtual);
  EXPECT_EQ(ErrorCode([&] { f.form.SetNow(TypedValue::Long(1)); }), 13);
  f.form.SetNow(TypedValue::Date(2026, 12, 6, 9, 0, 0));
  f.form.UseRealClock();
  EXPECT_EQ(f.form.GetClockKind(), vl::ClockKind::Real);
  EXPECT_EQ(ErrorCode([&] { f.form.SetNow(TypedValue::Date(2026, 12, 6)); }), 5);
  // Typing still works on the real clock; Wait runs what fell due without sleeping.
  f.form.Focus("qty");
  f.form.Type("8");
  f.form.Wait(100000);
  f.form.Key("Tab");
  EXPECT_EQ(f.box.Value(), TypedValue::Long(8));
}

}  // namespace
