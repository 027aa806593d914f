#include "app/console_message.h"

#include "app/app_state.h"
#include "engine/clock.h"
#include "engine/stream.h"

std::shared_ptr<std::vector<std::shared_ptr<ConsoleMessage>>> ConsoleMessage::List;
int ConsoleMessage::MessageCount = 0;

std::shared_ptr<ConsoleMessage> ConsoleMessage::Create(const std::string& text, int colour) {
    auto message = std::make_shared<ConsoleMessage>();
    ++MessageCount;
    if (!List) {
        List = std::make_shared<std::vector<std::shared_ptr<ConsoleMessage>>>();
    } else if (MessageCount >= 8 && !List->empty()) {
        List->erase(List->begin());
    }
    List->push_back(message);
    message->Text = text;
    message->Color = colour;
    // Each line reaches the disk at once, so the report survives a crash.
    StreamHandle& report = App().ReportFile;
    if (report) {
        stream_write_line(report, text);
        stream_flush(report);
    }
    return message;
}

void ConsoleMessage::Reset() {
    List.reset();
    MessageCount = 0;
}

std::string TimeStamped(const std::string& text) {
    return "[" + sys_current_time() + "] " + text;
}
