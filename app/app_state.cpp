#include "app/app_state.h"

#include "ai/control_object.h"
#include "app/console_message.h"

namespace {
AppState g_app;
}

AppState& App() {
    return g_app;
}

void ResetAppState() {
    g_app = AppState{};
    ConsoleMessage::Reset();
}
