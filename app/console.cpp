#include "app/console.h"

#include "app/controls.h"

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/console_message.h"
#include "app/overlay_draw.h"
#include "app/player.h"
#include "engine/clock.h"
#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

namespace {

std::string g_input_line;

// The line each command posts after "[" + time.
constexpr const char* kCommandLines[8] = {
    "] Weakling AI added by user to scene",
    "] Moderate AI added by user to scene",
    "] Offensive AI added by user to scene",
    "] Rocket launcher weapon given to player",
    "] RPG weapon given to player",
    "] Player commits explosive suicide",
    "] Dedicated to every driver who ever lost a bumper and kept on racing",
    "] Burning rubber through the night, we never stop till the last light",
};

// A log line's colour; an unknown one is white.
DrawParams MessageLook(int colour) {
    switch (colour) {
        case kConsoleRed:
            return gfx_tint(255, 0, 0);
        case kConsoleGreen:
            return gfx_tint(0, 255, 0);
        case kConsoleYellow:
            return gfx_tint(255, 255, 0);
        default:
            return gfx_tint(255, 255, 255);
    }
}

const char* QualityName(int quality) {
    switch (quality) {
        case 2:
            return "High";
        case 1:
            return "Medium";
        case 0:
            return "Low";
        default:
            return "";
    }
}

// The human car for the commands that act on it; Null (with a red line
// saying why) while it is wrecked and waiting to respawn: a weapon hung on
// the wreck would outlive the match, and destroying it again would score
// a second death.
std::shared_ptr<Vehicle> LivingPlayerCar() {
    const Match& match = TheMatch();
    if (!match.HumanPlayer || !match.HumanPlayer->myVehicle) return nullptr;
    if (match.HumanPlayer->myVehicle->Dead != 0) {
        ConsoleMessage::Create(
            "[" + sys_current_time() + "] Error: the player's car is destroyed; command ignored.",
            kConsoleRed);
        return nullptr;
    }
    return match.HumanPlayer->myVehicle;
}

void GiveWeapon(int number) {
    const std::shared_ptr<Vehicle> car = LivingPlayerCar();
    if (!car) return;
    if (car->WeaponSlot) car->WeaponSlot->Destroy();
    car->WeaponSlot = ChooseWeapon(number, car);
}

}  // namespace

std::string& ConsoleInputLine() {
    return g_input_line;
}

// The sanitizer runtime's count of live heap bytes, when it is linked in.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

long long HeapBytesInUse() {
    if (__sanitizer_get_current_allocated_bytes) {
        return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
    }
    const struct mallinfo2 info = mallinfo2();
    const long long heap = static_cast<long long>(info.uordblks + info.hblkhd);
    if (heap > 0) return heap;
    // An allocator that keeps no such count: the resident memory instead.
    long long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%lld %lld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

void RunCommand(int index) {
    if (index < 0 || index > 7) return;
    ConsoleMessage::Create("[" + sys_current_time() + kCommandLines[index], kConsoleGreen);
    switch (index) {
        case 0:
        case 1:
        case 2:
            AI::Make(index + 1, 0);
            break;
        case 3:
            GiveWeapon(4);
            break;
        case 4:
            GiveWeapon(3);
            break;
        case 5:
            if (const std::shared_ptr<Vehicle> car = LivingPlayerCar()) car->Destroy();
            break;
        default:
            break;
    }
}

void ConsoleDraw() {
    const AppState& app = App();
    if (app.ConsoleOpen != 1) return;
    const int w = gfx_width();
    const kit_FontScope font(app.FontSmall);
    gfx_draw_rect_with(430, 15, w - 400, 130, gfx_tint(0, 0, 0, 0.1));
    if (ConsoleMessage::List) {
        int i = 0;
        for (const auto& message : *ConsoleMessage::List) {
            if (++i > 8) break;
            DrawTextWith(message->Text, 435, 15 * i, MessageLook(message->Color));
        }
    }
    DrawTextWith("Command: " + g_input_line, 435, 120, gfx_tint(0, 255, 255));
    const DrawParams white;
    DrawTextWith("Memory Allocated: " + str_from_int(HeapBytesInUse()), 10, 30, white);
    if (AI::ListCreated) {
        DrawTextWith("Active AI: " + str_from_int(AI::List.Count()), 10, 50, white);
    }
    DrawTextWith(std::string("Graphics Quality: ") + QualityName(app.GraphicsQuality), 10, 70,
                 white);
}

void ConsoleUpdate() {
    AppState& app = App();
    if (app.ConsoleOpen != 1) return;
    // The console key opens and closes the console and never types: what it
    // types (a "`" or whatever the layout puts there) is dropped.
    const int c = in_get_char();
    if (c > 0 && !ActionKeyDown(Action::Console)) g_input_line += str_chr(c);
    if (in_key_hit(13)) {
        ConsoleMessage::Create("User Command: " + g_input_line, kConsoleGreen);
        bool found = false;
        for (int index = 0; index < 8 && !found; ++index) {
            if (str_contains(g_input_line, app.ConsoleCommands[static_cast<std::size_t>(index)])) {
                RunCommand(index);
                found = true;
            }
        }
        if (!found) {
            ConsoleMessage::Create("[" + sys_current_time() +
                                       "] Error: User command not recognized. Unable to perform.",
                                   kConsoleRed);
        }
        g_input_line.clear();
        in_flush_keys();
    }
}
