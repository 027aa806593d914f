#include "gui/font.h"

#include "gui/gui_detail.h"

std::shared_ptr<kit_TFont> kit_TFont::Create(const std::string& name, const std::string& path,
                                             int size) {
    auto font = std::make_shared<kit_TFont>();
    font->Name = name;
    font->Font = font_load(path, size, kFontSmooth);
    if (!font->Font) kit_detail::ReportMissingFile(path);
    return font;
}
