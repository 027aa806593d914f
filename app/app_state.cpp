#include "app/app_state.h"

#include <algorithm>

#include "ai/control_object.h"
#include "app/console_message.h"
#include "engine/text.h"

namespace {
AppState g_app;
}

AppState& App() {
    return g_app;
}

int GraphicsQualityFrom(const std::string& value) {
    return GraphicsQualityFrom(str_to_int(value));
}

int GraphicsQualityFrom(int level) {
    return std::clamp(level, 0, 2);
}

void ResetAppState() {
    g_app = AppState{};
    ConsoleMessage::Reset();
}

ImageHandle LoadGameImage(const std::string& path) {
    auto& cache = g_app.ImageCache;
    auto it = cache.find(path);
    if (it == cache.end()) {
        ImageHandle image = img_load(path, -1);
        if (!image) ConsoleMessage::Create(TimeStamped("Image not found: " + path), kConsoleRed);
        it = cache.emplace(path, std::move(image)).first;
    }
    return img_share(it->second);
}
