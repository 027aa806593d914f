#include "gui/date.h"

#include <algorithm>
#include <array>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/combo_box.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/support.h"
#include "gui/table.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kDateRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::Date, &kit_TDate::LoadSkin);
[[maybe_unused]] const kit_SkinLoader kPanelRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::DatePanel, &kit_TDatePanel::LoadSkin);

constexpr std::array<const char*, 12> kMonthNames{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};

// Julian day of 1 January 1900 less the shifts folded into the constants
// below: the conversions count from that day.
constexpr int kJulianShift = 2447066;

}  // namespace

int kit_DayNumber(int day, int month, int year) {
    // The Julian-day formula: the year is taken from March on, so that the
    // leap day ends it; every division is an integer division of positive
    // numbers for years after 4800 BC.
    const int y = year + 4800 - (14 - month) / 12;
    return day + (1685 - 153 * ((14 - month) % 12)) / 5 + 365 * y + y / 4 + y / 400 - y / 100 -
           kJulianShift;
}

void kit_DayNumberToDMY(int dayNumber, int& day, int& month, int& year) {
    const int b = (4 * dayNumber + 9788263) / 146097;
    const int n1 = dayNumber + kJulianShift - 1 - 146097 * b / 4;
    const int c = (4 * n1 + 3) / 1461;
    const int n2 = n1 - 1461 * c / 4;
    const int e = (5 * n2 + 2) / 153;
    day = n2 - (153 * e + 2) / 5 + 1;
    const int k = (5 * n2 + 2) / 1530;
    month = e - 12 * k + 3;
    year = c + 100 * b + k - 4800;
}

int kit_Weekday(int dayNumber) {
    // Day 0, 1 January 1900, was a Monday.
    return ((dayNumber + 1) % 7 + 7) % 7;
}

int kit_DaysInMonth(int month, int year) {
    return month == 12 ? 31 : kit_DayNumber(1, month + 1, year) - kit_DayNumber(1, month, year);
}

std::string kit_MonthName(int month) {
    if (month < 1 || month > 12) return "";
    return kMonthNames[static_cast<std::size_t>(month - 1)];
}

// ---------------------------------------------------------------------------
// The pop-up base.

void kit_TPopupPanel::Draw(float parentX, float parentY) {
    if (Hidden) return;
    kit_DrawNineSlice(kit_SkinOf(SkinSlot).Tiles, static_cast<int>(parentX + X),
                      static_cast<int>(parentY + Y), W, H, kit_Params(Color, Alpha));
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TPopupPanel::Update(int parentX, int parentY) {
    kit_TGadget::Update(parentX, parentY);
    // The children had the first chance at the mouse, and the base update
    // took a press on the background: what is left is a press outside.
    if (!Hidden && kit_GUI::MayUseMouse(Self()) && in_mouse_down(1)) {
        OnMouseDown(parentX, parentY);
    }
}

void kit_TPopupPanel::OnMouseDown(int parentX, int parentY) {
    // The press handler runs every frame while the button is held: only the
    // first frame decides, so that a drag from inside to outside keeps the
    // pop-up open.
    const bool firstFrame = MouseState != 2;
    kit_TGadget::OnMouseDown(parentX, parentY);
    if (!firstFrame || Hidden) return;
    if (kit_MouseInRect(static_cast<float>(parentX) + X, static_cast<float>(parentY) + Y, W, H)) {
        return;  // on the background: consumed, the pop-up stays
    }
    kit_TEvent::Create(kit_EventGadgetClose, Self(), 0, 0, 0, Self());
    Hide();
}

void kit_TPopupPanel::OpenAt(int x, int y) {
    SetPosition(x, y);
    Show();
    kit_GUI::SetCapture(Self());
    OnOpened();
    kit_TEvent::Create(kit_EventGadgetOpen, Self(), 1, 0, 0, nullptr);
}

void kit_TPopupPanel::CloseAndNotify() {
    kit_GUI::ReleaseCapture();
    MouseState = 0;
    if (const kit_GadgetRef owner = Owner.lock()) {
        kit_TEvent::Create(kit_EventGadgetClose, owner, 0, 0, 0, Self());
    }
    kit_TEvent::Create(kit_EventGadgetClose, Self(), 0, 0, 0, nullptr);
}

int kit_TPopupPanel::PlaceBelowOrAbove(int top, float h, float popupH) {
    const int below = static_cast<int>(static_cast<float>(top) + h + 2);
    if (static_cast<float>(below) + popupH > static_cast<float>(kit_GUI::GetHeight())) {
        return static_cast<int>(static_cast<float>(top - 2) - popupH);
    }
    return below;
}

// ---------------------------------------------------------------------------
// The calendar.

void kit_TDatePanel::Update(int parentX, int parentY) {
    kit_TPopupPanel::Update(parentX, parentY);
    // Also while hidden: boxes set by the program show when it opens.
    FollowBoxes();
}

void kit_TDatePanel::FollowBoxes() {
    if (!MonthBox || !YearBox || !Days) return;
    if (std::max(0, MonthBox->GetSelectedIndex()) != MonthIndex ||
        std::max(0, YearBox->GetSelectedIndex()) != YearIndex) {
        FillDays();
    }
}

void kit_TDatePanel::Hide() {
    kit_TPopupPanel::Hide();
    for (const auto& box : {MonthBox, YearBox}) {
        if (box && box->Menu) box->Menu->Hide();
    }
}

void kit_TDatePanel::Refresh() {
    if (!MonthBox || !YearBox || !Days) return;  // still being made
    YearBox->ClearItems();
    for (int year = FirstYear; year <= LastYear; ++year) YearBox->AddItem(str_from_int(year));
    MonthBox->Select(0);
    YearBox->Select(0);
    FillDays();
}

bool kit_TDatePanel::ChildReleased(kit_TGadget& child) {
    if (&child != Days.get()) return false;
    CloseAndNotify();
    DayChosen(str_to_int(Days->CellText(Days->HoverRow, Days->HoverColumn)));
    Hide();
    return true;
}

void kit_TDatePanel::SetYearRange(int first, int last) {
    FirstYear = first;
    LastYear = std::max(first, last);
    Refresh();
}

void kit_TDatePanel::DayChosen(int day) {
    if (day < 1 || day > 31) return;
    if (const auto owner = std::dynamic_pointer_cast<kit_TDate>(Owner.lock())) {
        owner->SetDateDMY(day, MonthIndex + 1, FirstYear + YearIndex);
    }
}

void kit_TDatePanel::FillDays() {
    MonthIndex = std::max(0, MonthBox->GetSelectedIndex());
    YearIndex = std::max(0, YearBox->GetSelectedIndex());
    Days->ClearRows();
    for (int week = 0; week < 6; ++week) Days->AddRow({});
    const int month = MonthIndex + 1, year = FirstYear + YearIndex;
    const int first = kit_Weekday(kit_DayNumber(1, month, year));
    const int days = kit_DaysInMonth(month, year);
    for (int i = 0; i < days; ++i) {
        Days->SetCellText((first + i) / 7, (first + i) % 7, str_from_int(i + 1));
    }
}

void kit_TDatePanel::OnOpened() {
    FollowBoxes();
    Days->Select(-1);
}

std::shared_ptr<kit_TDatePanel> kit_TDatePanel::Create(const std::string& name,
                                                       const kit_GadgetRef& owner) {
    if (name.empty()) return nullptr;
    auto panel = std::make_shared<kit_TDatePanel>();
    panel->Init(name, 0, 0, 180, 180, nullptr);
    kit_GUI::AddFloating(panel);
    panel->Owner = owner;
    panel->MonthBox = kit_CreateComboBox(name + ":Month", "", 5, 5, 95, 20, 95, 270, 18, panel);
    for (int month = 1; month <= 12; ++month) panel->MonthBox->AddItem(kit_MonthName(month));
    panel->YearBox = kit_CreateComboBox(name + ":Year", "", 105, 5, 70, 20, 70, 200, 18, panel);
    panel->Days = kit_CreateTable(name + ":Results", 5, 30, 145, "S", 22, 18, 1, panel);
    for (const char* title : {"M", "T", "W", "T", "F", "S"}) panel->Days->AddColumn(title, 22);
    panel->Days->SetColorHex("000000", 2);
    panel->Days->SetAlpha(0.5f, 2);
    panel->Days->SetTextColorHex("FFFFFF", 2);
    panel->Hide();
    panel->Refresh();
    return panel;
}

void kit_TDatePanel::LoadSkin() {
    kit_SkinOf(kit_SkinSlot::DatePanel).Tiles =
        kit_LoadNineSlice(kit_SkinFile("/graphics/menu.png"));
}

// ---------------------------------------------------------------------------
// The date.

void kit_TDate::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    const kit_Skin& skin = kit_SkinOf(kit_SkinSlot::Date);
    kit_DrawNineSlice(skin.Tiles, bx, by, W, H, kit_Params(Color, Alpha));
    // The icon in the text's colour.
    const DrawParams text = kit_Params(TextColor, Alpha);
    kit_DrawText(DateText, bx + 5, by + 3, Font, text);
    if (!skin.Images.empty()) {
        gfx_draw_image_with(skin.Images[0], bx + W - 12, by + H - 10, 0, text);
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TDate::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TDate::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
}

void kit_TDate::OnMouseUp(int parentX, int parentY) {
    const int bx = static_cast<int>(X + static_cast<float>(parentX));
    const int by = static_cast<int>(Y + static_cast<float>(parentY));
    OpenPanel(bx, kit_TPopupPanel::PlaceBelowOrAbove(by, H, Panel->H));
    // Gives back the capture the calendar just took: it waits for the next
    // press.
    kit_TGadget::OnMouseUp(parentX, parentY);
}

void kit_TDate::SetDateDMY(int day, int month, int year) {
    SetDate(kit_DayNumber(day, month, year));
}

void kit_TDate::SetDate(int dayNumber) {
    DayNumber = dayNumber;
    int day = 0, month = 0, year = 0;
    kit_DayNumberToDMY(dayNumber, day, month, year);
    std::string yearText = str_from_int(year);
    if (year >= 0 && yearText.size() < 4) yearText.insert(0, 4 - yearText.size(), '0');
    DateText = str_from_int(day) + " " + kit_MonthName(month) + " " + yearText;
}

void kit_TDate::OpenPanel(int x, int y) {
    Panel->OpenAt(x, y);
    kit_TEvent::Create(kit_EventGadgetOpen, Self(), 1, 0, 0, Panel);
}

void kit_TDate::ClosePanel() {
    Panel->Hide();
    Panel->CloseAndNotify();
}

std::shared_ptr<kit_TDate> kit_TDate::Create(const std::string& name, float x, float y, float w,
                                             float h, int firstYear, int lastYear,
                                             const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto date = std::make_shared<kit_TDate>();
    date->Init(name, x, y, w, h, parent);
    date->Panel = kit_CreateDatePanel(name + ":Panel", date);
    date->Panel->SetYearRange(firstYear, lastYear);
    return date;
}

void kit_TDate::LoadSkin() {
    kit_Skin& skin = kit_SkinOf(kit_SkinSlot::Date);
    skin.Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/combobox.png"));
    skin.Images = {kit_LoadSkinImage(kit_SkinFile("/graphics/combobox arrow.png"), -1)};
}

std::shared_ptr<kit_TDate> kit_CreateDate(const std::string& name, float x, float y, float w,
                                          float h, int firstYear, int lastYear,
                                          const kit_GadgetRef& parent) {
    return kit_TDate::Create(name, x, y, w, h, firstYear, lastYear, parent);
}

std::shared_ptr<kit_TDatePanel> kit_CreateDatePanel(const std::string& name,
                                                    const kit_GadgetRef& owner) {
    return kit_TDatePanel::Create(name, owner);
}
