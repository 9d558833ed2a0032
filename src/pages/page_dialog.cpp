#include "pages/page_dialog.h"

#include <algorithm>

#include "pages/colour_picker.h"
#include "platform/common_dialogs.h"
#include "platform/dialog.h"
#include "resources/string_table.h"

namespace vl::pages {

namespace {

constexpr std::uint32_t kIdsDisplayNameTitle = 1;

std::string WindowText(win::System& sys, win::HWND hwnd) {
  const win::LRESULT length = sys.SendMessage(hwnd, win::WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(std::max<win::LRESULT>(0, length)) + 1, '\0');
  const win::LRESULT got =
      sys.SendMessage(hwnd, win::WM_GETTEXT, text.size(), reinterpret_cast<win::LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<win::LRESULT>(0, got)));
  return text;
}

}  // namespace

PageDialog::PageDialog(PropertyPage& page, const PageLayout& layout, const DialogFont& font)
    : page_(page), layout_(layout), font_(font) {
  page_.SetServices(this);
  page_.SetListener([this](int id) { Sync(id); });
}

PageDialog::~PageDialog() {
  page_.SetListener(nullptr);
  page_.SetServices(nullptr);
  if (Sys() != nullptr && Sys()->IsWindow(Handle())) Sys()->DestroyWindow(Handle());
}

win::HWND PageDialog::Create(win::System& system, win::HWND parent, win::POINT at) {
  const win::DialogBaseUnits base = font_.BaseUnits();
  const win::RECT px = win::MapDialogRect(win::RECT{0, 0, layout_.cx, layout_.cy}, base);
  size_ = win::SIZE{px.Width(), px.Height()};
  const win::HWND h = system.CreateWindowEx(*this, win::kDialogClass, win::WS_CHILD,
                                            win::RECT{at.x, at.y, at.x + size_.cx, at.y + size_.cy}, parent);
  if (h == win::kNoWindow) return h;
  for (const LayoutItem& item : layout_.items) CreateControl(item);
  for (const PageField& f : page_.Fields()) Sync(f.id);
  return h;
}

void PageDialog::CreateControl(const LayoutItem& item) {
  win::System& sys = *Sys();
  const win::DialogBaseUnits base = font_.BaseUnits();
  win::RECT r = win::MapDialogRect(win::RECT{item.x, item.y, item.x + item.cx, item.y + item.cy}, base);
  const PageField* field = page_.Find(item.field);
  if (field == nullptr) return;
  const int id = field->id;
  const win::DWORD visible = win::WS_CHILD | win::WS_VISIBLE;
  std::unique_ptr<win::Window> window;
  if (item.place == Place::Label) {
    auto label = std::make_unique<PageStatic>();
    label->Create(sys, visible | win::SS_LEFT, r, Handle(), 0, field->label);
    labelWindows_[id] = label->Handle();
    controls_.push_back(std::move(label));
    return;
  }
  switch (field->kind) {
    case FieldKind::Edit: {
      auto edit = std::make_unique<PageEdit>(font_);
      edit->Create(sys, visible | win::WS_TABSTOP | win::ES_AUTOHSCROLL, r, Handle(), static_cast<std::uintptr_t>(id));
      window = std::move(edit);
      break;
    }
    case FieldKind::Check:
    case FieldKind::Button: {
      auto button = std::make_unique<PageButton>();
      const win::DWORD type = field->kind == FieldKind::Check ? win::BS_AUTOCHECKBOX : win::BS_PUSHBUTTON;
      button->Create(sys, visible | win::WS_TABSTOP | type, r, Handle(), static_cast<std::uintptr_t>(id), field->label);
      window = std::move(button);
      break;
    }
    case FieldKind::DropList:
    case FieldKind::Combo:
    case FieldKind::ColourList: {
      auto combo = std::make_unique<PageCombo>(font_);
      win::DWORD style = visible | win::WS_TABSTOP | win::WS_VSCROLL;
      if (field->kind == FieldKind::Combo) style |= win::CBS_DROPDOWN | win::CBS_AUTOHSCROLL;
      if (field->kind == FieldKind::DropList) style |= win::CBS_DROPDOWNLIST;
      if (field->kind == FieldKind::ColourList) {
        style |= win::CBS_DROPDOWNLIST | win::CBS_OWNERDRAWFIXED;
        // The selection field holds one item row with room for the border.
        r.bottom = std::max(r.bottom, r.top + kColourItemHeight + 2 * win::ComboBoxControl::kBorder + 2);
      }
      combo->Create(sys, style, r, Handle(), static_cast<std::uintptr_t>(id));
      if (win::EditControl* edit = combo->Edit()) {
        // The edit part's text keeps the margin a list's selection field has.
        const win::RECT part = sys.GetWindowRect(edit->Handle());
        const win::RECT format{3, 0, part.Width(), part.Height()};
        sys.SendMessage(edit->Handle(), win::EM_SETRECT, 0, reinterpret_cast<win::LPARAM>(&format));
      }
      const int rowHeight = field->kind == FieldKind::ColourList ? kColourItemHeight : font_.LineHeight() + 2;
      sys.SendMessage(combo->Handle(), win::CB_SETITEMHEIGHT, 0, rowHeight);
      if (ColourList* list = page_.ColourListOf(id)) {
        combo->SetItemPainter([](win::DeviceContext& dc, const win::RECT& rect, std::uintptr_t value, bool selected) {
          DrawColourItem(dc, rect, static_cast<std::uint32_t>(value), selected);
        });
        const win::HWND hwnd = combo->Handle();
        list->SetReopen([this, hwnd] { Sys()->SendMessage(hwnd, win::CB_SHOWDROPDOWN, 1, 0); });
      }
      combos_.push_back(combo.get());
      window = std::move(combo);
      break;
    }
    case FieldKind::Sample: {
      auto sample = std::make_unique<PageSample>();
      sample->Create(sys, visible | win::SS_SUNKEN, r, Handle(), static_cast<std::uintptr_t>(id));
      sample->SetLookSource([this, id] {
        PageSample::Look look;
        look.text = page_.Find(id)->text;
        look.font = page_.SampleFont().ToLogFont();
        look.colour = TranslateOleColour(page_.SampleColour());
        return look;
      });
      window = std::move(sample);
      break;
    }
    case FieldKind::Label:
      return;
  }
  fieldWindows_[id] = window->Handle();
  controls_.push_back(std::move(window));
}

win::HWND PageDialog::FieldWindow(int id) const {
  const PageField* f = page_.Find(id);
  if (f == nullptr) return win::kNoWindow;
  auto it = fieldWindows_.find(f->id);
  return it == fieldWindows_.end() ? win::kNoWindow : it->second;
}

int PageDialog::FieldOf(win::HWND hwnd) const {
  for (win::HWND h = hwnd; h != win::kNoWindow && Sys() != nullptr; h = Sys()->GetParent(h)) {
    for (const auto& [id, window] : fieldWindows_) {
      if (window == h) return id;
    }
  }
  return 0;
}

PageCombo* PageDialog::ComboOf(int id) const {
  const win::HWND h = FieldWindow(id);
  return h == win::kNoWindow ? nullptr : dynamic_cast<PageCombo*>(Sys()->FromHandle(h));
}

// --- The model shown ---------------------------------------------------------------------------

void PageDialog::SyncComboItems(PageCombo& combo, const std::vector<win::ComboItem>& items) {
  const std::vector<win::ComboItem>& have = combo.Items();
  bool same = have.size() == items.size();
  for (std::size_t i = 0; same && i < items.size(); ++i)
    same = have[i].text == items[i].text && have[i].data == items[i].data;
  if (same) return;
  win::System& sys = *Sys();
  const std::string keep = combo.Edit() != nullptr ? combo.Edit()->Text() : std::string();
  sys.SendMessage(combo.Handle(), win::CB_RESETCONTENT, 0, 0);
  // The list shows every item in full, and all of them at once up to the screen's height.
  int widest = 0;
  for (const win::ComboItem& item : items) {
    if (combo.IsOwnerDrawn()) {
      sys.SendMessage(combo.Handle(), win::CB_ADDSTRING, 0, static_cast<win::LPARAM>(item.data));
      widest = std::max(widest, kColourItemHeight + font_.Width(ColourItemText(static_cast<std::uint32_t>(item.data))));
    } else {
      sys.SendMessage(combo.Handle(), win::CB_ADDSTRING, 0, reinterpret_cast<win::LPARAM>(item.text.c_str()));
      widest = std::max(widest, font_.Width(item.text));
    }
  }
  if (combo.Edit() != nullptr)
    sys.SendMessage(combo.Handle(), win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(keep.c_str()));
  const int scroll = static_cast<int>(items.size()) > win::ComboBoxControl::kDefaultMinVisible
                         ? win::GetSystemMetrics(win::SM_CXVSCROLL)
                         : 0;
  sys.SendMessage(combo.Handle(), win::CB_SETDROPPEDWIDTH, static_cast<win::WPARAM>(widest + 8 + scroll), 0);
  sys.SendMessage(
      combo.Handle(), win::CB_SETMINVISIBLE,
      static_cast<win::WPARAM>(std::max<std::size_t>(items.size(), win::ComboBoxControl::kDefaultMinVisible)), 0);
}

void PageDialog::Sync(int id) {
  if (Sys() == nullptr || !Sys()->IsWindow(Handle())) return;
  const PageField* f = page_.Find(id);
  const win::HWND h = FieldWindow(id);
  if (f == nullptr || h == win::kNoWindow) return;
  win::System& sys = *Sys();
  const bool wasSyncing = syncing_;
  syncing_ = true;
  switch (f->kind) {
    case FieldKind::Edit:
      if (WindowText(sys, h) != f->text)
        sys.SendMessage(h, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(f->text.c_str()));
      break;
    case FieldKind::Check:
      sys.SendMessage(h, win::BM_SETCHECK, f->checked ? win::BST_CHECKED : win::BST_UNCHECKED, 0);
      break;
    case FieldKind::DropList:
    case FieldKind::Combo: {
      PageCombo& combo = *ComboOf(f->id);
      std::vector<win::ComboItem> items;
      for (const std::string& t : f->items) items.push_back(win::ComboItem{t, 0});
      SyncComboItems(combo, items);
      if (combo.CurSel() != f->selected)
        sys.SendMessage(h, win::CB_SETCURSEL, static_cast<win::WPARAM>(f->selected), 0);
      if (f->kind == FieldKind::Combo && combo.Text() != f->text) {
        sys.SendMessage(h, win::WM_SETTEXT, 0, reinterpret_cast<win::LPARAM>(f->text.c_str()));
      }
      break;
    }
    case FieldKind::ColourList:
      if (ColourList* list = page_.ColourListOf(f->id)) {
        PageCombo& combo = *ComboOf(f->id);
        std::vector<win::ComboItem> items;
        for (std::uint32_t v : list->Items()) items.push_back(win::ComboItem{{}, v});
        SyncComboItems(combo, items);
        if (combo.CurSel() != list->Selected())
          sys.SendMessage(h, win::CB_SETCURSEL, static_cast<win::WPARAM>(list->Selected()), 0);
      }
      break;
    default:
      break;
  }
  if (sys.IsWindowEnabled(h) != f->enabled) sys.EnableWindow(h, f->enabled);
  if (auto it = labelWindows_.find(f->id); it != labelWindows_.end() && sys.IsWindowEnabled(it->second) != f->enabled) {
    sys.EnableWindow(it->second, f->enabled);
  }
  syncing_ = wasSyncing;
  if (observer_) observer_();
}

// --- The user's input --------------------------------------------------------------------------

win::LRESULT PageDialog::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg == win::WM_COMMAND) {
    OnCommand(win::LOWORD(wParam), win::HIWORD(wParam), win::HWND{static_cast<std::uint32_t>(lParam)});
    return 0;
  }
  return DefWindowProc(msg, wParam, lParam);
}

void PageDialog::OnCommand(int id, int code, win::HWND from) {
  if (syncing_) return;
  const PageField* f = page_.Find(id);
  if (f == nullptr || from == win::kNoWindow) return;
  win::System& sys = *Sys();
  const win::HWND self = Handle();
  bool handled = true;
  switch (f->kind) {
    case FieldKind::Edit:
      if (code == EN_CHANGE) {
        page_.Type(id, WindowText(sys, from));
      } else if (code == EN_KILLFOCUS) {
        page_.Leave(id);
      } else {
        handled = false;
      }
      break;
    case FieldKind::Check:
      handled = code == win::BN_CLICKED;
      if (handled) page_.Check(id, sys.SendMessage(from, win::BM_GETCHECK, 0, 0) == win::BST_CHECKED);
      break;
    case FieldKind::Button:
      handled = code == win::BN_CLICKED;
      if (handled) page_.Click(id);
      break;
    case FieldKind::DropList:
    case FieldKind::Combo:
      if (code == win::CBN_SELCHANGE) {
        page_.Choose(id, static_cast<int>(sys.SendMessage(from, win::CB_GETCURSEL, 0, 0)));
      } else if (code == win::CBN_EDITCHANGE) {
        page_.Type(id, WindowText(sys, from));
      } else if (code == win::CBN_KILLFOCUS) {
        page_.Leave(id);
      } else {
        handled = false;
      }
      break;
    case FieldKind::ColourList: {
      ColourList* list = page_.ColourListOf(id);
      if (list != nullptr && code == win::CBN_DROPDOWN) {
        list->DropDown();
      } else if (list != nullptr && code == win::CBN_SELCHANGE) {
        list->Choose(static_cast<int>(sys.SendMessage(from, win::CB_GETCURSEL, 0, 0)));
      } else {
        handled = false;
      }
      break;
    }
    default:
      handled = false;
      break;
  }
  // The window shows what the page kept: a change the page refused goes back.
  if (handled && sys.IsWindow(self)) Sync(id);
}

// --- Painting ----------------------------------------------------------------------------------

void PageDialog::Paint(win::DeviceContext& dc) {
  win::System& sys = *Sys();
  sys.PrintWindow(Handle(), dc, win::POINT{0, 0});
  for (PageCombo* combo : combos_) {
    if (combo->OverlayRect().IsEmpty()) continue;
    const win::RECT r = sys.GetWindowRect(combo->Handle());
    const int saved = win::SaveDC(dc);
    const win::POINT o = dc.Origin();
    win::SetViewportOrgEx(dc, o.x + r.left, o.y + r.top);
    combo->PaintOverlay(dc);
    win::RestoreDC(dc, saved);
  }
}

win::RECT PageDialog::OverlayBounds() const {
  win::RECT out{};
  for (const PageCombo* combo : combos_) {
    const win::RECT o = combo->OverlayRect();
    if (o.IsEmpty()) continue;
    const win::RECT at = Sys()->GetWindowRect(combo->Handle());
    const win::RECT r = win::OffsetRectBy(o, at.left, at.top);
    out = out.IsEmpty() ? r
                        : win::RECT{std::min(out.left, r.left), std::min(out.top, r.top), std::max(out.right, r.right),
                                    std::max(out.bottom, r.bottom)};
  }
  return out;
}

// --- Services ----------------------------------------------------------------------------------

void PageDialog::ShowMessage(const std::string& text) {
  Sys()->MessageBox(Handle(), text, LoadResourceString(kIdsDisplayNameTitle), win::MB_OK | win::MB_ICONINFORMATION);
}

bool PageDialog::BrowseFile(const std::string& filter, std::string& path) {
  return win::GetOpenFileName(*Sys(), Handle(), filter, path);
}

bool PageDialog::ChooseFont(FontDesc& font) {
  win::LOGFONT lf = font.ToLogFont();
  int pointSize10 = static_cast<int>(font.sizeCy / 1000);
  if (!win::ChooseFont(*Sys(), Handle(), lf, pointSize10)) return false;
  font.name = lf.FaceName();
  font.sizeCy = static_cast<std::int64_t>(pointSize10) * 1000;
  font.weight = static_cast<std::int16_t>(lf.lfWeight);
  font.bold = lf.lfWeight >= win::kBoldWeight;
  font.italic = lf.lfItalic != 0;
  font.underline = lf.lfUnderline != 0;
  font.strikethrough = lf.lfStrikeOut != 0;
  font.charset = lf.lfCharSet;
  return true;
}

bool PageDialog::ChooseColour(std::uint32_t& colour) { return win::ChooseColor(*Sys(), Handle(), colour); }

}  // namespace vl::pages
