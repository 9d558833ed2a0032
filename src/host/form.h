// The container: a form window holding typed boxes and plain buttons in tab order, answering the
// host services every box calls, and keeping the transcript a script or test reads back (events
// raised, message boxes shown).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "control/data_cursor.h"
#include "control/host_site.h"
#include "control/typed_box_ctrl.h"
#include "host/name_index.h"
#include "pages/property_frame.h"
#include "platform/common_dialogs.h"
#include "platform/fixed_font.h"
#include "platform/window.h"
#include "runtime/clock.h"

namespace vl {

class Form;

// One event as the host saw it, with its parameters as the handler left them.
struct EventRecord {
  std::string control;
  std::string name;
  std::vector<EventParam> params;
};

// A bound-property change notification the container received.
struct NotificationRecord {
  std::string control;
  std::int32_t dispid;
};

struct MessageRecord {
  std::string text;   // CP932
  std::string title;  // CP932
  std::string owner;  // box name, "form", or empty for none
};

// A common dialog the host was asked to show (colour, file, font), with what it opened on.
struct DialogRecord {
  win::CommonDialogKind kind;
  std::string owner;  // box name, "form", a page's title or "pages", or empty for none
  std::uint32_t colour = 0;
  std::string filter;  // CP932
  std::string path;    // CP932
  FontDesc font;
};

// How the host answers the next common dialog of a kind: OK with a choice, or Cancel.
struct DialogAnswer {
  std::uint32_t colour = 0;
  std::string path;  // CP932
  FontDesc font;
};

// The site of one box: routes each service to the form with the box's identity.
class BoxSite : public IVlControlSite {
 public:
  BoxSite(Form& form, std::string name) : form_(form), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  CVlTypedBoxCtrl& Control() { return *control_; }
  void Attach(std::unique_ptr<CVlTypedBoxCtrl> control) { control_ = std::move(control); }

  bool AmbientUserMode() const override;
  FontDesc AmbientFont() const override;
  std::uint32_t AmbientBackColor() const override;
  void FireEvent(VlEvent id, EventArgs& args) override;
  void OnPropertyChanged(std::int32_t dispid) override;
  void SetModifiedFlag(bool modified) override;
  void InvalidateControl() override;
  std::uint32_t TranslateColor(std::uint32_t colour) const override;
  double HimetricToContainer(std::int32_t himetric) const override;
  std::int32_t ContainerToHimetric(double units) const override;
  win::System& WindowSystem() override;
  win::HWND ContainerWindow() const override;
  win::FontBackend* ScreenFonts() override;
  bool IsUIActive() const override;
  void UIDeactivate() override;
  std::shared_ptr<IVlCursor> GetCursor(std::int32_t dispid) override;
  void RequestControlSize(win::SIZE pixels) override;

  // The record source the host connected to DataSource; none when unbound.
  const std::shared_ptr<IVlCursor>& DataSource() const { return dataSource_; }
  void SetDataSource(std::shared_ptr<IVlCursor> source) { dataSource_ = std::move(source); }

  // What the container heard from this box.
  bool modified = false;
  int invalidations = 0;

 private:
  Form& form_;
  std::string name_;
  std::shared_ptr<IVlCursor> dataSource_;
  std::unique_ptr<CVlTypedBoxCtrl> control_;
};

// A plain push button: a tab stop for the focus to move to. It shows its name.
class PlainButton : public win::Window {
 public:
  explicit PlainButton(std::string name) : name_(std::move(name)) {}
  // The face, the name centred on it, and the focus rectangle while it has the focus.
  void PrintClient(win::DeviceContext& dc) override;

 private:
  std::string name_;
};

// The window a browser hosts its page's controls in.
class BrowserPane : public win::Window {};

class Form : public win::Window {
 public:
  // user mode is the container's run mode; design mode its design surface. A browser-hosted
  // form places its boxes inside a window of the browser's class.
  explicit Form(bool userMode = true, bool browserHosted = false);
  ~Form() override;

  bool UserMode() const { return userMode_; }
  // Switching to run mode connects every box that has a data source to it; switching to the
  // design surface drops the connections (a box never holds a cursor there).
  void SetUserMode(bool user);

  VirtualClock& Clock() { return clock_; }
  win::System& WindowSystem() { return system_; }
  const FontDesc& AmbientFont() const { return ambientFont_; }

  // Places a box; the rectangle defaults to the next row of the form.
  CVlTypedBoxCtrl& AddBox(const std::string& name, std::optional<win::RECT> rect = std::nullopt,
                          EditorFactory factory = nullptr);
  win::HWND AddButton(const std::string& name, std::optional<win::RECT> rect = std::nullopt);
  BoxSite* FindBox(const std::string& name);
  BoxSite* FindBox(const CVlTypedBoxCtrl& control);
  const std::vector<std::unique_ptr<BoxSite>>& Boxes() const { return boxes_; }

  // The host's event handler, called before the event is recorded; it may change by-reference
  // parameters.
  using EventHandler = std::function<void(BoxSite& box, VlEvent id, EventArgs& args)>;
  void SetEventHandler(EventHandler handler) { eventHandler_ = std::move(handler); }

  // Who answers the message boxes (a desktop host shows them as dialogs); every box is recorded
  // for TakeMessages either way, and answered IDOK when nobody answers.
  using MessageBoxAnswer = std::function<int(const MessageRecord& box, win::UINT flags)>;
  void SetMessageBoxAnswer(MessageBoxAnswer answer) { messageBoxAnswer_ = std::move(answer); }

  // The transcript since the last call, oldest first.
  std::vector<EventRecord> TakeEvents();
  std::vector<MessageRecord> TakeMessages();
  std::vector<NotificationRecord> TakeNotifications();
  std::vector<DialogRecord> TakeDialogs();

  // The answers of the next common dialogs, one kind at a time in the order given; nothing for a
  // Cancel. A dialog with no answer waiting is cancelled.
  void AnswerDialog(win::CommonDialogKind kind, std::optional<DialogAnswer> answer);

  // The design-time property frame of a box (pages/property_frame.h); the form owns it until
  // ClosePropertyPages. Keyboard messages of its windows go to its dialog navigation first.
  pages::PropertyPages& OpenPropertyPages(BoxSite& box, std::shared_ptr<pages::SharedPalette> palette);
  // A frame closed while one of its calls runs (a box's handler closed it) is hidden at once and
  // destroyed by the next ReapPropertyPages after that call returned.
  void ClosePropertyPages(const pages::PropertyPages& pages);
  bool HasPropertyPages(const pages::PropertyPages& pages) const;
  void ReapPropertyPages();
  // Each frame the form opened has a serial number of its own, never used again, so a holder can
  // ask for it later without mistaking a newer frame for a closed one.
  std::uint64_t SerialOf(const pages::PropertyPages& pages) const;
  pages::PropertyPages* FindPropertyPages(std::uint64_t serial);
  // The columns of the record source the box is bound to at design time, in its order; none while
  // the box has no record source.
  std::vector<CursorColumn> DesignTimeColumns(BoxSite& box) const;

  // Name of the box (or "form") that a window belongs to; empty for none.
  std::string OwnerName(win::HWND hwnd) const;

  // The focus, as the host gives it: to a box (its control window), a button, or nothing.
  void Focus(CVlTypedBoxCtrl& control);
  bool FocusButton(const std::string& name);
  std::string FocusedName() const;
  win::HWND ButtonWindow(const std::string& name) const;

  // The window the boxes and buttons are children of.
  win::HWND ContainerWindow() const { return container_; }

  // The host's message loop: posted messages and queued input until none is left.
  void PumpMessages() { system_.ProcessInput(); }

  static std::uint32_t SystemColour(std::uint32_t index);

  // The fonts boxes measure and draw with on screen; without them the fixed-metrics font.
  void SetScreenFonts(std::shared_ptr<win::FontBackend> fonts) { screenFonts_ = std::move(fonts); }
  win::FontBackend* ScreenFonts() const { return screenFonts_.get(); }

  // Record sources by name; a box of the form binds to one through its DataSource.
  void AddSource(const std::string& name, std::shared_ptr<IVlCursor> source);
  std::shared_ptr<IVlCursor> FindSource(const std::string& name) const;
  // Connects (or, with none, disconnects) a box's DataSource; the box hears of it at once in
  // run mode.
  void SetDataSource(CVlTypedBoxCtrl& control, std::shared_ptr<IVlCursor> source);

  // Moves and sizes a box as the host's layout does; the box keeps its minimum extent. Returns
  // the rectangle it got.
  win::RECT MoveBox(CVlTypedBoxCtrl& control, win::RECT rect);
  // Names of the buttons, in tab order.
  std::vector<std::pair<std::string, win::HWND>> Buttons() const;

 private:
  friend class BoxSite;
  void Record(BoxSite& box, VlEvent id, EventArgs& args);
  bool AnswerCommonDialog(win::CommonDialogRequest& request);
  // Keyboard filters of the boxes, then dialog navigation on Tab and Shift+Tab.
  bool PreTranslate(win::MSG& msg);
  win::RECT NextRect();

  struct TabStop {
    std::string name;
    win::HWND hwnd;
    CVlTypedBoxCtrl* box;  // nullptr for a button
  };

  VirtualClock clock_;
  win::System system_;
  bool userMode_;
  std::vector<std::pair<std::string, std::shared_ptr<IVlCursor>>> sources_;
  FontDesc ambientFont_;
  std::vector<std::unique_ptr<BoxSite>> boxes_;
  std::vector<std::unique_ptr<PlainButton>> buttons_;
  std::vector<TabStop> tabOrder_;
  // Where a box's window stands in tabOrder_ (by window id, 0 for none, else the place + 1), and
  // which box a name is: every key and every script call looks these up, and every new box adds to
  // them, so they cost the same on a form of ten thousand boxes as on one of one.
  std::vector<std::uint32_t> boxTabStop_;
  NameIndex boxNamed_{[this](std::size_t i) -> std::string_view { return boxes_[i]->Name(); }};
  BrowserPane browserPane_;
  win::HWND container_ = win::kNoWindow;
  std::vector<EventRecord> events_;
  std::vector<MessageRecord> messages_;
  std::vector<NotificationRecord> notifications_;
  std::vector<DialogRecord> dialogs_;
  std::map<win::CommonDialogKind, std::deque<std::optional<DialogAnswer>>> answers_;
  struct OpenFrame {
    std::uint64_t serial;
    std::unique_ptr<pages::PropertyPages> pages;
  };
  std::vector<OpenFrame> propertyPages_;
  std::vector<OpenFrame> closedPages_;  // closed while busy
  std::uint64_t nextPagesSerial_ = 1;
  EventHandler eventHandler_;
  MessageBoxAnswer messageBoxAnswer_;
  int nextRow_ = 0;
  std::shared_ptr<win::FontBackend> screenFonts_;
  win::FixedFontBackend fixedFonts_;  // what the property pages measure with when no screen fonts are set
};

}  // namespace vl
