// CVlTypedBoxCtrl: the automation object the host sees. It keeps its state in the control core
// (CVlTypedBoxCore), owns the edit window and the four captions, turns the edit window's
// messages into events, and applies the rules of every property write.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "control/bound_object.h"
#include "control/caption.h"
#include "control/events.h"
#include "control/font_object.h"
#include "control/host_site.h"
#include "control/prop_exchange.h"
#include "control/properties.h"
#include "control/property_store.h"
#include "control/sizing_tracker.h"
#include "edit/edit_wnd.h"
#include "platform/fixed_font.h"
#include "platform/gdi.h"
#include "platform/window.h"
#include "runtime/system_colour.h"
#include "value/typed_value.h"
#include "value/value_exception.h"

namespace vl {

// The record that holds every property value, the edit rectangle and the edit window.
struct CVlTypedBoxCore {
  std::uint16_t dataType = VlTextString;
  std::int32_t maxLength = 0;
  TypedValue value = TypedValue::Null();
  std::string format;
  std::shared_ptr<VlFont> font;
  std::uint32_t foreColor = kColourWindowText;
  std::uint32_t backColor = kColourWindow;
  std::uint32_t disabledForeColor = kColourButtonShadow;
  std::uint32_t disabledBackColor = kColourWindow;
  std::int16_t borderStyle = 1;
  std::string passwordChar;
  std::int16_t appearance = 1;
  std::int16_t alignment = 0;
  bool dataChanged = false;
  std::int16_t hideSelection = 1;
  std::int16_t selectByFocus = 0;
  std::int16_t locked = 0;
  std::int16_t enabled = 1;
  std::int16_t replaceCursor = 0;
  std::int16_t imeMode = 0;
  std::int16_t multiLine = 0;
  std::int16_t scrollBars = 0;
  std::int16_t tabByReturn = 0;
  std::int16_t tabByVertKey = 0;
  std::int16_t tabByHorzKey = 0;
  std::int16_t tabByInputLast = 0;
  std::int16_t spinButton = 0;
  std::int16_t checkValue = 0;
  TypedValue lowerValue = TypeLowerBound(VlTextString);
  TypedValue upperValue = TypeUpperBound(VlTextString);
  TypedValue defaultValue = TypedValue::Null();
  std::string eraProfile;
  float spinIncrease = 1.0f;
  std::int16_t spinDelay = 250;
  std::int16_t allowDefaultValue = 0;
  std::string caption;
  std::uint16_t furiganaType = 0;
  FontDesc cachedFont;
  std::int16_t keepNull = 0;

  std::unique_ptr<CVlEditWnd> editor;
  win::RECT editRect;
  bool mouseRouted = false;
  bool unavailable = false;
  std::uint32_t effectiveForeColor = kColourWindowText;
  std::uint32_t effectiveBackColor = kColourWindow;
};

// The accelerator the control reports to its host: the key's byte as a virtual-key code.
struct Mnemonic {
  std::uint8_t key = 0;
  bool alt = true;
  std::uint16_t command = 102;
};

// Makes the editor of a data type; the default makes the editor classes of the component.
using EditorFactory = std::function<std::unique_ptr<CVlEditWnd>(std::uint16_t dataType)>;

class CVlTypedBoxCtrl : public win::Window, public ICaptionOwner {
 public:
  explicit CVlTypedBoxCtrl(IVlControlSite& site, EditorFactory factory = nullptr);
  ~CVlTypedBoxCtrl() override;

  // Gives the control its window inside the container (the edit window comes later, when
  // editing is first activated).
  bool CreateControlWindow(win::RECT rect);
  bool HasControlWindow() const { return Handle() != win::kNoWindow; }

  // --- Automation interface ---
  // Throws AutomationError for a refused access. Value errors raised by writes of Value, Format,
  // DataType and MaxLength are reported through ValueError (user mode) instead.
  Variant GetProperty(std::int32_t dispid);
  void SetProperty(std::int32_t dispid, const Variant& value);
  Variant GetCaptions(std::int32_t direction);
  void SetCaptions(std::int32_t direction, const Variant& value);
  void Refresh();
  void AboutBox();

  // --- Operations of the core used across the shell ---
  bool AssignValue(TypedValue newValue, bool dataChangedFlag, bool notify);
  void CommitEditText();
  void PushValueToEditor();
  void ReportValueError(const CVlValueException& error);
  bool UserCheck(const TypedValue& value);
  TypedValue ReadValue();
  void ActivateEditing();

  // Keyboard focus and navigation.
  // The host's filter, run for each keyboard message before dispatch; true when consumed.
  bool PreTranslateKeyboard(const win::MSG& msg);
  std::optional<Mnemonic> GetMnemonic() const;
  bool IsBrowserHosted() const;

  // The text the box shows now: the edit text while it is edited, else the display text.
  std::string ShownText() const;

  // --- Layout and drawing ---
  // Draws the control into `bounds` of `dc`: background, captions, the box and its border. A
  // metafile drawing (the host asked for a picture) takes the container's back colour and always
  // draws the box's text, also while the edit window is shown.
  void OnDraw(win::DeviceContext& dc, const win::RECT& bounds, bool metafile = false);
  // The control window's picture on screen: OnDraw over its whole client area. The edit window
  // and the spin button are child windows and paint themselves over it.
  void PrintClient(win::DeviceContext& dc) override;
  // The host proposes a size in pixels; the control keeps room for its captions' sizes and
  // spacings and 8 pixels of box each way.
  win::SIZE AdjustExtent(win::SIZE pixels) const;
  // Border inset of the box: 1 flat, 2 three-dimensional, 0 without a border or for a Boolean.
  int BorderInset() const;
  // The edit rectangle less the border inset: where the edit window lies.
  win::RECT EditorRect() const;
  // The fonts the control measures and draws with on screen.
  win::FontBackend& ScreenFonts() const;
  // True while a right-aligned or centred box shows its too-wide value left-aligned.
  bool AlignmentFitLeft() const { return alignmentFitLeft_; }
  // Design mode: the host asks the control to edit itself; the sizing tracker appears around the
  // box and the control takes the focus. Losing the focus removes it.
  bool DesignEdit();
  const SizingTracker& Tracker() const { return tracker_; }

  const CVlTypedBoxCore& Core() const { return core_; }
  CVlEditWnd* Editor() const { return core_.editor.get(); }
  VlTextCaption& Caption(int direction) { return *captions_[static_cast<std::size_t>(direction)]; }
  IVlControlSite& Site() const { return site_; }
  bool UserMode() const { return site_.AmbientUserMode(); }

  // --- Persistence ---
  // The one exchange of the property set, in both directions, in the persisted order. Loading
  // reads into a copy of the properties and then takes them all at once: defaults for what is
  // missing or malformed, the loaded value made current, the default value assigned when
  // AllowDefaultValue is set. Resetting is loading an empty store.
  void DoPropExchange(PropExchange& exchange);
  PropertySet SaveProperties();
  void LoadProperties(const PropertySet& store);

  // --- Data binding ---
  // The binding side the host gives the box; the box owns it and drops its connection first
  // when it is destroyed.
  void AttachBinding(std::unique_ptr<IVlBoundObject> binding) { binding_ = std::move(binding); }
  IVlBoundObject* Binding() const { return binding_.get(); }
  const std::string& DataField() const { return dataField_; }
  // The binding side stores the name it resolved (or failed to resolve).
  void StoreDataField(const std::string& name) { dataField_ = name; }
  void SetDataChangedFlag(bool changed) { core_.dataChanged = changed; }
  // While the box's row cannot be shown the box behaves as disabled: it cannot be edited, takes
  // no value and returns no focus.
  void SetUnavailable(bool unavailable);
  bool EditorVisible() const;

  win::LRESULT WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) override;

  // ICaptionOwner
  const VlTextCaption& CaptionAt(int direction) const override { return *captions_[static_cast<std::size_t>(direction)]; }
  std::int32_t ControlWidthHimetric() const override;
  std::int32_t ControlHeightHimetric() const override;
  std::int32_t MarginHimetric() const override;
  std::int32_t ScreenHimetric(int pixels) const;
  double HimetricToContainer(std::int32_t himetric) const override { return site_.HimetricToContainer(himetric); }
  std::int32_t ContainerToHimetric(double units) const override { return site_.ContainerToHimetric(units); }
  void CaptionChanged(bool layout) override;
  std::uint32_t TranslateCaptionColor(std::uint32_t colour) const override { return site_.TranslateColor(colour); }

 private:
  // The rows of the property table reach the core through their rules.
  friend struct PropertyRules;

  // A property's rules without the mode check and the notification: the row's own rule, or the
  // common one. Returns whether anything changed.
  Variant ReadProperty(const PropertyInfo& row);
  bool WriteProperty(const PropertyInfo& row, const Variant& value);
  Variant ReadStored(const PropertyInfo& row) const;
  bool WriteStored(const PropertyInfo& row, const Variant& value);

  // Persistence: a row's value as saving writes it, and the loaded values of every exchanged row
  // (in exchange order) and of the captions, taken as a whole.
  Variant SavedValue(const PropertyInfo& row);
  void ApplyLoaded(const std::vector<Variant>& values, const std::array<CaptionProperties, 4>& captions,
                   std::optional<StoredPair> extent);
  void NotifyChanged(std::int32_t dispid);

  // Setters of the core with rules of their own; each returns whether anything changed.
  bool SetFormat(const std::string& format);
  bool SetDataType(std::int32_t code);
  bool SetMaxLength(std::int32_t length, bool stringOnlyCheck);
  bool SetBound(const Variant& value, bool lower);
  bool SetDefaultValue(const Variant& value);
  bool SetBoxColour(bool fore, const Variant& value);
  bool SetFontDesc(const FontDesc& desc);
  bool SetFontObject(const Variant& value);
  void FontObjectChanged();
  void ClampDefaultValue();
  void RefreshDesignPreview();
  void ApplyAlignmentFit();
  // The alignment style the edit window should have now: the configured one, or left while the
  // value does not fit.
  std::uint32_t AlignmentStyleBits() const;
  void ChangeStyleBits(std::uint32_t add, std::uint32_t remove);
  void Repaint();
  // Recomputes the edit rectangle from the client area and the captions and moves the edit window.
  void LayoutEditRect();
  void DrawBox(win::DeviceContext& dc, const win::RECT& box, double zoom, bool metafile);
  // The colours of the box now: background and text.
  std::pair<std::uint32_t, std::uint32_t> BoxColours(bool forEditWindow) const;
  win::LRESULT OnCtlColor(win::WPARAM dc);
  // Mouse and focus messages while the tracker is shown; true when consumed.
  bool TrackerMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

  // The editor: created for the current data type with every property pushed into it.
  // Each answers the value error of pushing the value into the new editor, when there is one.
  std::optional<CVlValueException> CreateEditorObject();
  std::optional<CVlValueException> RebuildEditor();
  void PushPropertiesToEditor(CVlEditWnd& editor);
  // The value and the bounds as a new editor gets them (converted to its data type). What the
  // editor refuses or cuts of the value waits in newEditorRefusal_ for the write that made it.
  void PushValueToNewEditor();
  void PushBoundToNewEditor(CVlEditWnd& editor, bool lower);
  std::uint32_t EditorStyleBits() const;
  win::HWND EditorWindow() const;
  TypedValue ConvertForCore(const TypedValue& v) const;

  void MoveToControl(bool next);
  // Mouse input on the control's own window; true when consumed.
  bool RouteMouse(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::RECT HitRect() const;
  // After a first click that the edit window captured, the control holds the mouse for the
  // double-click time to learn what the click was: the start of a drag, half of a double click,
  // a click followed by typing, or a plain click (or press) on its own.
  void BeginClickWait(win::WPARAM flags, win::LPARAM editPoint);
  bool ClickWaitMessage(win::MSG& msg);
  // Ends the wait; `pressAgain` hands the first press to the edit window once more (under the
  // mouse-routed flag, so the host does not see a second MouseDown) to let it track the mouse.
  void EndClickWait(bool pressAgain);
  // WM_SETCURSOR: the text-insertion cursor over a box that is not being edited, the sizing
  // cursors over the design-time tracker's handles; false leaves the choice to the default.
  bool OnSetCursor(win::WPARAM over);

  // Events from the edit window.
  void Fire(VlEvent id, EventArgs& args);
  void OnErrorRecord(win::WPARAM editWindow, const VlErrorRecord& record);
  void OnUserCheck(VlUserCheckRecord& record);
  void OnFocusLeft(win::HWND newFocus);
  // Commits the edit text and hides the edit window: the box is no longer being edited.
  void LeaveEditing();
  void OnMouseRecord(win::UINT msg, const VlMouseRecord& record);

  IVlControlSite& site_;
  EditorFactory factory_;
  CVlTypedBoxCore core_;
  std::array<std::shared_ptr<VlTextCaption>, 4> captions_;
  std::string dataField_;
  std::uint32_t controlBackColor_ = kColourButtonFace;
  bool focusReturned_ = false;
  std::optional<CVlValueException> newEditorRefusal_;
  int fallingBack_ = 0;  // a ValueError report is putting the fallback value back
  bool alignmentFitLeft_ = false;
  struct ClickWait {
    bool active = false;
    bool upSeen = false;
    bool moved = false;
    win::WPARAM flags = 0;
    win::LPARAM editPoint = 0;  // the first press, in the edit window's coordinates
  } clickWait_;
  SizingTracker tracker_;
  std::unique_ptr<IVlBoundObject> binding_;
  win::HBRUSH editBrush_;
  mutable win::FixedFontBackend fixedFonts_;
};

}  // namespace vl
