#include "engine/log.h"

#include <cstdio>

#include "engine/clock.h"

namespace {
std::function<void(const std::string&)>& debug_hook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}
LogSink& sink() {
    static LogSink s;
    return s;
}
}  // namespace

void con_print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void dbg_log(const std::string& text) {
    if (debug_hook()) debug_hook()(text);
}

void dbg_set_hook(std::function<void(const std::string&)> hook) {
    debug_hook() = std::move(hook);
}

void log_set_sink(LogSink s) {
    sink() = std::move(s);
}

void log_message(const std::string& text, int colour) {
    const std::string line = "[" + sys_current_time() + "] " + text;
    if (sink()) {
        sink()(line, colour);
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
    }
}
