#pragma once
// A named font of the kit: gadgets look fonts up by name, ignoring case.

#include <memory>
#include <string>

#include "engine/font.h"
#include "gui/object.h"

class kit_TFont : public kit_Object {
public:
    FontHandle Font;  ///< Null when the file could not be loaded
    std::string Name;

    /// Loads the TrueType file at `path` (smooth style) under `name`. The
    /// font is not added to the kit's list; `kit_LoadFont` does that.
    static std::shared_ptr<kit_TFont> Create(const std::string& name, const std::string& path,
                                             int size);
};
