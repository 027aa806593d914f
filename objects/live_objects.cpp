#include "objects/live_objects.h"

#include <map>

namespace {

// Never destroyed: objects held by static lists may still go at exit.
std::map<std::string, int>& Counts() {
    static auto* counts = new std::map<std::string, int>;
    return *counts;
}

}  // namespace

LiveTally::LiveTally(const char* className) : class_name_(className) {
    ++Counts()[class_name_];
}

LiveTally::LiveTally(const LiveTally& other) : class_name_(other.class_name_) {
    ++Counts()[class_name_];
}

LiveTally::~LiveTally() {
    auto it = Counts().find(class_name_);
    if (it != Counts().end() && --it->second == 0) Counts().erase(it);
}

int LiveObjectCount(const std::string& className) {
    const auto it = Counts().find(className);
    return it == Counts().end() ? 0 : it->second;
}

std::string LiveObjectSummary() {
    std::string line;
    for (const auto& [name, n] : Counts()) {
        if (!line.empty()) line += ' ';
        line += name + " " + std::to_string(n);
    }
    return line;
}

int LiveObjectTotal() {
    int total = 0;
    for (const auto& [name, n] : Counts()) total += n;
    return total;
}
