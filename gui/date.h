#pragma once
// The date picker: a combo-box-like gadget showing a date ("5 March 2008")
// that opens a calendar pop-up with a month box, a year box and a
// seven-column day table (weeks start on Sunday). A click on a day sets the
// date and closes the calendar.
//
// Dates are day numbers: days counted from 1 January 1900 (day 0) in the
// Gregorian calendar, also before 1900 (negative numbers).
//
// The calendar is a pop-up like a drop-down menu (gui/menu.h): it sits on
// the kit's floating list at screen coordinates, and while it is open a
// press outside it closes it and is consumed. The search box's pop-up
// (gui/search_box.h) shares that behaviour through `kit_TPopupPanel`.
//
// Events: GadgetOpen when the calendar opens (from the calendar, and from
// the date with Data 1 and Extra the calendar); GadgetClose when it closes
// (from the calendar, and after a choice from the date with Extra the
// calendar). Choosing a day posts no GadgetSelect: the caller reads
// `GetDate`.

#include <memory>
#include <string>

#include "gui/gadget.h"
#include "gui/skin.h"

class kit_TComboBox;
class kit_TTable;

/// The day number of a date; day and month outside their ranges roll over
/// into the next or previous month or year (31 February is 3 March or
/// 2 March).
int kit_DayNumber(int day, int month, int year);
/// The date of a day number.
void kit_DayNumberToDMY(int dayNumber, int& day, int& month, int& year);
/// 0 Sunday .. 6 Saturday.
int kit_Weekday(int dayNumber);
/// 28 to 31.
int kit_DaysInMonth(int month, int year);
/// The full English name of a month 1..12; empty text for other numbers.
std::string kit_MonthName(int month);

/// A pop-up panel that serves one gadget (its owner): hidden until opened
/// at a screen position, drawn with the nine-slice skin of its slot. While
/// open, its children have the first chance at the mouse; a press on the
/// pop-up's own background is consumed, and a press outside it closes it
/// (GadgetClose) and is consumed: the hidden pop-up keeps the capture until
/// the button goes up.
class kit_TPopupPanel : public kit_TGadget {
public:
    std::weak_ptr<kit_TGadget> Owner;  ///< the gadget served; it holds the pop-up

    void Draw(float parentX, float parentY) override;
    /// The children first; then a press nobody took is handled here.
    void Update(int parentX, int parentY) override;
    /// Takes the capture; the first frame of a press outside the pop-up
    /// posts GadgetClose and hides it.
    void OnMouseDown(int parentX, int parentY) override;

    /// Shows the pop-up at screen position (x, y), takes the mouse and posts
    /// GadgetOpen.
    virtual void OpenAt(int x, int y);
    /// Gives the mouse back and posts GadgetClose from the owner (Extra the
    /// pop-up) and from the pop-up. Does not hide it.
    virtual void CloseAndNotify();

    /// The top of a pop-up of height `popupH` opened for a gadget whose
    /// screen top is `top` and height `h`: 2 pixels below it, or 2 pixels
    /// above it when it would pass the bottom of the kit's screen.
    static int PlaceBelowOrAbove(int top, float h, float popupH);

protected:
    explicit kit_TPopupPanel(kit_SkinSlot skin) : SkinSlot(skin) {}
    /// Called once the pop-up is shown by `OpenAt`, before GadgetOpen.
    virtual void OnOpened() {}

private:
    kit_SkinSlot SkinSlot;
};

class kit_TDatePanel : public kit_TPopupPanel {
public:
    kit_TDatePanel() : kit_TPopupPanel(kit_SkinSlot::DatePanel) {}

    std::shared_ptr<kit_TComboBox> MonthBox;
    std::shared_ptr<kit_TComboBox> YearBox;
    std::shared_ptr<kit_TTable> Days;
    int MonthIndex = 0;  ///< 0..11, as shown
    int YearIndex = 0;   ///< years after `FirstYear`, as shown
    int FirstYear = 0;
    int LastYear = 0;

    /// The children first (the boxes and the days); a month or year chosen
    /// in the boxes, by a click or by the program, refills the days.
    void Update(int parentX, int parentY) override;
    /// The boxes' drop-down menus close with the calendar.
    void Hide() override;
    /// Years `FirstYear`..`LastYear` in the year box, January of the first
    /// year shown.
    void Refresh() override;
    /// A release on a day cell: close, set the owner's date, hide.
    bool ChildReleased(kit_TGadget& child) override;

    /// `LastYear` is at least `FirstYear`.
    virtual void SetYearRange(int first, int last);
    /// For 1 <= day <= 31, the owner's date becomes that day of the month
    /// shown; other values change nothing.
    virtual void DayChosen(int day);
    /// Six empty weeks, then the days of the month shown in their weekday
    /// columns.
    virtual void FillDays();

    static std::shared_ptr<kit_TDatePanel> Create(const std::string& name,
                                                  const kit_GadgetRef& owner);
    /// Nine-slice from SkinPath + "/graphics/menu.png".
    static void LoadSkin();

protected:
    /// Shows the month of the boxes and clears the day selection.
    void OnOpened() override;

private:
    /// Refills the days when the boxes show another month than the table.
    void FollowBoxes();
};

class kit_TDate : public kit_TGadget {
public:
    std::string DateText;  ///< "1 March 2008"; empty until a date is set
    int DayNumber = 0;
    std::shared_ptr<kit_TDatePanel> Panel;

    /// As a combo box, with `DateText`.
    void Draw(float parentX, float parentY) override;
    void OnMouseOver(int parentX, int parentY) override;
    void OnMouseDown(int parentX, int parentY) override;
    /// Opens the calendar below the gadget, or above it when there is no
    /// room.
    void OnMouseUp(int parentX, int parentY) override;

    virtual void SetDateDMY(int day, int month, int year);
    /// Sets the day number and the text that shows it.
    virtual void SetDate(int dayNumber);
    virtual int GetDate() const { return DayNumber; }
    /// Opens the calendar at screen position (x, y) and posts GadgetOpen.
    virtual void OpenPanel(int x, int y);
    /// Hides the calendar and posts its GadgetClose events.
    virtual void ClosePanel();

    static std::shared_ptr<kit_TDate> Create(const std::string& name, float x, float y, float w,
                                             float h, int firstYear, int lastYear,
                                             const kit_GadgetRef& parent);
    /// Nine-slice from SkinPath + "/graphics/combobox.png" and the arrow
    /// "/graphics/combobox arrow.png".
    static void LoadSkin();
};

/// Null for an empty name.
std::shared_ptr<kit_TDate> kit_CreateDate(const std::string& name, float x, float y, float w,
                                          float h, int firstYear, int lastYear,
                                          const kit_GadgetRef& parent = nullptr);
/// A hidden 180 x 180 calendar on the floating list; Null for an empty name.
std::shared_ptr<kit_TDatePanel> kit_CreateDatePanel(const std::string& name,
                                                    const kit_GadgetRef& owner);
