#pragma once
// A picture loaded from a file, stretched to the gadget's size.

#include <memory>
#include <string>

#include "engine/image.h"
#include "gui/gadget.h"

class kit_TImage : public kit_TGadget {
public:
    ImageHandle Image;
    std::string Path;  ///< the file it came from

    void Draw(float parentX, float parentY) override;
    /// A size of 0 or less means the image's own; no `Refresh`.
    void SetSize(int w, int h) override;

    /// Loads `path` filtered; when that fails logs "Image: <path> not
    /// loaded." to the debug log and returns Null without attaching anything.
    static std::shared_ptr<kit_TImage> Create(const std::string& name, const std::string& path,
                                              float x, float y, float w, float h,
                                              const kit_GadgetRef& parent);
};

std::shared_ptr<kit_TImage> kit_CreateImage(const std::string& name, const std::string& path,
                                            float x, float y, float w = 0, float h = 0,
                                            const kit_GadgetRef& parent = nullptr);
