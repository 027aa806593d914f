#pragma once
// The records gadgets put on the kit's first-in, first-out event queue.

#include <memory>
#include <string>

#include "gui/object.h"

class kit_TGadget;

/// Event kinds.
enum kit_EventKind : int {
    kit_EventSetScreen = 1,
    kit_EventGadgetAction = 11,  ///< continuous or confirming actions
    kit_EventGadgetSelect = 12,  ///< completed selections
    kit_EventGadgetOpen = 13,    ///< a pop-up opened
    kit_EventGadgetClose = 14,   ///< a pop-up closed
    kit_EventMouseOver = 21,     ///< the first gadget under the mouse in a frame
};

class kit_TEvent : public kit_Object {
public:
    int ID = 0;
    std::shared_ptr<kit_TGadget> Source;  ///< Null for events not posted by a gadget
    int Data = 0;
    int X = 0;
    int Y = 0;
    kit_ObjectRef Extra;

    /// "Event: " kind " Data: " d " X: " x " Y: " y " Source: " name, with
    /// "External Source" when there is no source.
    std::string ToString() const;
    /// The name `ToString` gives an event kind ("Unknown Event: 7" for
    /// unknown ones).
    static std::string KindText(int id);
    /// Makes the event and appends it to the queue.
    static std::shared_ptr<kit_TEvent> Create(int id, const std::shared_ptr<kit_TGadget>& source,
                                              int data, int x, int y, const kit_ObjectRef& extra);
};
