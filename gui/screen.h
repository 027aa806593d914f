#pragma once
// A named screen: the top-level gadgets the kit draws and updates while the
// screen is current.

#include <memory>
#include <string>
#include <vector>

#include "gui/gadget.h"

class kit_TPanel;

class kit_TScreen : public kit_Object {
public:
    std::string Name;     ///< compared ignoring case
    std::string Caption;  ///< stored and returned, not drawn
    std::vector<kit_GadgetRef> Gadgets;

    /// Draws the gadgets in the order added, from the screen origin.
    virtual void DrawAll();
    /// Updates the gadgets, the one added last first.
    virtual void UpdateAll();
    /// Appends a top-level gadget; Null is ignored.
    virtual void AddGadget(const kit_GadgetRef& gadget);
    /// First panel among the gadgets with that name, ignoring case; Null for
    /// an empty name.
    virtual std::shared_ptr<kit_TPanel> FindPanel(const std::string& name) const;
    virtual std::string GetName() const { return Name; }
    virtual std::string GetCaption() const { return Caption; }

    /// Makes a screen and adds it to the kit's screen list.
    static std::shared_ptr<kit_TScreen> Create(const std::string& name, const std::string& caption);
};
using kit_ScreenRef = std::shared_ptr<kit_TScreen>;
