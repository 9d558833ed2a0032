#include "host/form.h"

#include <gtest/gtest.h>

#include "runtime/automation_error.h"

namespace vl {
namespace {

TEST(Form, TranslatesSystemColoursAndPassesOthers) {
  Form form;
  form.AddBox("b");
  const BoxSite& b = *form.Boxes().front();
  struct Row { std::uint32_t in, out; };
  for (const Row& r : {Row{0x80000005, 0x00FFFFFF}, Row{0x80000008, 0x00000000}, Row{0x8000000F, 0x00C8D0D4},
                       Row{0x80000012, 0x00000000}, Row{0x00123456, 0x00123456}, Row{0x80000063, 0}}) {
    EXPECT_EQ(b.TranslateColor(r.in), r.out) << std::hex << r.in;
  }
}

TEST(Form, HimetricAndPointsRoundTrip) {
  Form form;
  form.AddBox("b");
  const BoxSite& b = *form.Boxes().front();
  EXPECT_DOUBLE_EQ(b.HimetricToContainer(2540), 72.0);  // one inch
  EXPECT_EQ(b.ContainerToHimetric(72.0), 2540);
  EXPECT_EQ(b.ContainerToHimetric(b.HimetricToContainer(1234)), 1234);
}

TEST(Form, ModifiedFlagAndNotificationsOnlyOnRealChanges) {
  Form form;
  CVlTypedBoxCtrl& box = form.AddBox("b");
  BoxSite& site = *form.FindBox("b");
  site.modified = false;
  box.SetProperty(kDispTabByReturn, Variant::Bool(false));  // already False
  EXPECT_FALSE(site.modified);
  EXPECT_TRUE(form.TakeNotifications().empty());
  box.SetProperty(kDispTabByReturn, Variant::Bool(true));
  EXPECT_TRUE(site.modified);
  auto n = form.TakeNotifications();
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(n[0].dispid, kDispTabByReturn);
  EXPECT_EQ(n[0].control, "b");
}

TEST(Form, EventHandlerWritesByReferenceParameters) {
  Form form;
  CVlTypedBoxCtrl& box = form.AddBox("b");
  form.SetEventHandler([](BoxSite&, VlEvent id, EventArgs& args) {
    if (id == VlEvent::ValueError) args["CancelDisplay"] = Variant::Bool(true);
  });
  box.SetProperty(kDispDataType, Variant::I4(VlTextInteger));
  box.SetProperty(kDispValue, Variant::I4(40000));
  auto events = form.TakeEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].params[3].name, "CancelDisplay");
  EXPECT_EQ(events[0].params[3].value, Variant::Bool(true));  // recorded as the handler left it
  EXPECT_TRUE(form.TakeMessages().empty());
}

TEST(Form, OwnerNamesOfWindows) {
  Form form;
  CVlTypedBoxCtrl& box = form.AddBox("price");
  form.Focus(box);
  EXPECT_EQ(form.FocusedName(), "price");  // the edit window inside the box has the focus
  EXPECT_NE(form.WindowSystem().GetFocus(), box.Handle());
  EXPECT_EQ(form.OwnerName(form.Handle()), "form");
  EXPECT_EQ(form.OwnerName(win::kNoWindow), "");
}

}  // namespace
}  // namespace vl
