#include "gui/event.h"

#include "engine/text.h"
#include "gui/gadget.h"
#include "gui/gui_detail.h"

std::string kit_TEvent::KindText(int id) {
    switch (id) {
        case kit_EventSetScreen:
            return "SetScreen";
        case kit_EventGadgetAction:
            return "GadgetAction";
        case kit_EventGadgetSelect:
            return "GadgetSelect";
        case kit_EventGadgetOpen:
            return "GadgetOpen";
        case kit_EventGadgetClose:
            return "GadgetClose";
        case kit_EventMouseOver:
            return "MouseOver";
        default:
            return "Unknown Event: " + str_from_int(id);
    }
}

std::string kit_TEvent::ToString() const {
    return "Event: " + KindText(ID) + " Data: " + str_from_int(Data) + " X: " + str_from_int(X) +
           " Y: " + str_from_int(Y) + " Source: " + (Source ? Source->Name : "External Source");
}

std::shared_ptr<kit_TEvent> kit_TEvent::Create(int id, const std::shared_ptr<kit_TGadget>& source,
                                               int data, int x, int y, const kit_ObjectRef& extra) {
    auto event = std::make_shared<kit_TEvent>();
    event->ID = id;
    event->Source = source;
    event->Data = data;
    event->X = x;
    event->Y = y;
    event->Extra = extra;
    kit_detail::Module().EventQueue.push_back(event);
    return event;
}
