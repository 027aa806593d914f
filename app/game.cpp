#include "app/game.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/autopilot.h"
#include "app/console.h"
#include "app/console_message.h"
#include "app/controls.h"
#include "app/hud.h"
#include "app/match.h"
#include "app/menus.h"
#include "app/music.h"
#include "app/overlay_draw.h"
#include "app/pad_pointer.h"
#include "app/pause.h"
#include "app/player.h"
#include "app/replay.h"
#include "app/user_folders.h"
#include "arena/arena_loader.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/engine.h"
#include "engine/filesystem.h"
#include "engine/font.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "engine/input.h"
#include "engine/input_tape.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/stream.h"
#include "engine/text.h"
#include "gui/kit.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/minimap.h"
#include "objects/pickups.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "spritebehaviors/delta.h"

const char* const kMenuFooter = "Crashmoor v1.0 [RC1]   -   hold Esc to leave the game";

namespace {

bool g_started = false;
// A quick match from the command line prints its results on standard
// output too.
bool g_print_results = false;
std::string g_start_error;
BeforeFlipHook g_before_flip = nullptr;
void* g_before_flip_user = nullptr;

constexpr const char* kSystemFont = "C:\\windows\\fonts\\tahoma.ttf";
constexpr const char* kPadMappingsFile = "gamecontrollerdb.txt";
constexpr const char* kReportFile = "debug_console_report.txt";
constexpr const char* kConfigFile = "config.cfg";

// Display names of the computer drivers.
constexpr std::array<const char*, 26> kDisplayNames = {
    "Rustbucket", "Axle Grease", "Nitro Nell", "Dent Maker",  "Gearjammer", "Skid Row",  "Torque",
    "Crankshaft", "Lug Nut",     "Burnout",    "Piston Pete", "Hubcap",     "Junkyard",  "Redline",
    "Spark Plug", "Fender",      "Overdrive",  "Rollcage",    "Tailpipe",   "Scrapheap", "Clutch",
    "Diesel",     "Wrecker",     "Gravel",     "Chrome Dome", "Turbo Tess",
};

// Command words of the debug console, matched in this order.
constexpr std::array<const char*, 8> kConsoleWords = {
    "add ai weakling",
    "add ai moderate",
    "add ai offensive",
    "rocket launcher",
    "rpg",
    "yippi-ki-ay",
    "dedicate",
    "sing",
};

constexpr std::array<const char*, kEffectSoundCount> kEffectFiles = {
    "SFX/machine_gun_fire.wav",
    "SFX/heavy_machine_gun_fire.wav",
    "SFX/grenade_launcher_fire.wav",
    "SFX/rocket_launcher_fire.wav",
    "SFX/laser_fire.wav",
    "SFX/explosion.wav",
};

void DrawLoadingScreen() {
    AppState& app = App();
    {
        // The first picture, drawn with the engine's opening blend: the
        // masked one.
        DrawParams look;
        look.blend = kBlendMask;
        gfx_draw_image_with(app.LogoBackdrop, 0, 0, 0, look);
        const kit_FontScope font(app.FontLarge);
        look.r = look.g = look.b = 0;
        const std::string text = "LOADING...";
        DrawTextWith(text, gfx_width() / 2 - gfx_text_width(text) / 2,
                     gfx_height() / 2 - gfx_text_height() / 2 + 100, look);
    }
    // The menus and the match write in the medium font unless they say
    // otherwise.
    gfx_set_font(app.FontMedium);
    if (g_before_flip) g_before_flip(g_before_flip_user);
    gfx_flip(-1);
}

void MenuFrame() {
    AppState& app = App();
    if (engine_options().video) {
        gfx_draw_image_with(app.MenuBackdrop, 0, 0, 0, DrawParams{});
        const kit_FontScope font(app.FontMedium);
        DrawTextWith(kMenuFooter, 0, gfx_height() - gfx_text_height(), DrawParams{});
    }
    sys_poll_events();
    ControlsCaptureFrame();
    const bool back = !ControlsCapturing() && PadPointerFrame();
    kit_Refresh();
    HandleMenuEvents();
    // A pad's B that no open list or text field took goes back a screen.
    if (back && in_key_hit(vk::kEscape) > 0) MenuBack();
}

// Lines about pads plugged in or out go to the console.
void ReportPads() {
    for (std::string notice = pad_next_notice(); !notice.empty(); notice = pad_next_notice()) {
        ConsoleMessage::Create("[" + sys_current_time() + "] " + notice, kConsoleWhite);
    }
}

// The frame counter in the top-right corner ("Show FPS").
void DrawFrameRate() {
    const AppState& app = App();
    const kit_FontScope font(app.FontSmall ? app.FontSmall : gfx_get_font());
    const std::string text = str_from_int(kit_FPS::GetFPS()) + " FPS";
    gfx_draw_rect_with(gfx_width() - gfx_text_width(text) - 12, 4, gfx_text_width(text) + 8,
                       gfx_text_height() + 4, gfx_tint(0, 0, 0, 0.6));
    DrawTextWith(text, gfx_width() - gfx_text_width(text) - 8, 6, DrawParams{});
}

// The results of a finished match go to the "Match Results" screen and the
// report file. A quick match from the command line (or the demo) also
// prints them; without video, where no menu can be clicked, the program
// then ends. Later matches from the menus print nothing.
void ReportResults() {
    for (const std::string& line : ResultLines(LastResults())) {
        if (g_print_results) std::printf("%s\n", line.c_str());
        ConsoleMessage::Create(line, kConsoleWhite);
    }
    ShowMatchResults(LastResults());
    if (g_print_results) {
        std::fflush(stdout);
        g_print_results = false;
        if (!engine_options().video) sys_end();
    }
}

// The car the view follows: the human's, or in a match without one the
// first computer driver's.
std::shared_ptr<Vehicle> FollowedCar() {
    const Match& match = TheMatch();
    if (match.HumanPlayer) return match.HumanPlayer->myVehicle;
    std::shared_ptr<Vehicle> car;
    AI::List.Walk([&](AI& ai) {
        if (!car) car = ai.myVehicle;
    });
    return car;
}

// The view follows a car, kept inside the arena (an arena smaller than the
// screen shows from its top-left corner).
void CentreView() {
    Match& match = TheMatch();
    const std::shared_ptr<Vehicle> car = FollowedCar();
    if (!car) return;
    const Vehicle& v = *car;
    const int w = gfx_width(), h = gfx_height();
    match.ScrollX = static_cast<int>(v.X - static_cast<float>(w / 2));
    match.ScrollY = static_cast<int>(v.Y - static_cast<float>(h / 2));
    const TileMap& map = *match.TheMap;
    const int map_w = map.MapWidth * map.BlockWidth, map_h = map.MapHeight * map.BlockHeight;
    if (match.ScrollX > map_w - w) match.ScrollX = map_w - w;
    if (match.ScrollX < 0) match.ScrollX = 0;
    if (match.ScrollY > map_h - h) match.ScrollY = map_h - h;
    if (match.ScrollY < 0) match.ScrollY = 0;
}

// The arena's tile map under the whole screen, untransformed.
void DrawMapView() {
    const Match& match = TheMatch();
    const GfxStateGuard keep;
    gfx_apply_params(DrawParams{});
    match.TheMap->DrawMap(match.ScrollX, match.ScrollY, 0, 0, gfx_width(), gfx_height());
}

void MatchFrame() {
    AppState& app = App();
    sys_poll_events();
    if (MatchPaused()) {
        PausedFrame();
        return;
    }
    if (CheckMatchEnd()) {
        // The match is gone: this frame shows the backdrop the results
        // screen opens on.
        ReportResults();
        gfx_draw_image(app.MenuBackdrop, 0, 0, 0);
        return;
    }
    Match& match = TheMatch();
    CentreView();
    // The passes in drawing order: ground layer, the steering world, the
    // objects, the overlay. Each steps its objects and, with video, draws
    // them. Most objects show the frame the state they enter it with, so
    // their drawing comes before their step; the drivers show what their
    // step did (the gun's smoke, the respawn screen), so theirs comes after.
    const bool draw = engine_options().video;
    if (draw) {
        DrawMapView();
        Scar::DrawAll();
        Tread::DrawAll();
    }
    Tread::UpdateAll();
    if (draw) Wreckage::DrawAll();
    Wreckage::UpdateAll();
    if (draw) {
        if (match.TheWorld) {
            // Its frame rate (shown with the console) in the console's font.
            const kit_FontScope font(app.FontSmall);
            match.TheWorld->Render();
        }
        Shot::DrawSecondary();
    }
    Shot::UpdateSecondary();
    if (draw) HealthPickUp::DrawAll();
    HealthPickUp::UpdateAll();
    if (draw) WeaponPickUp::DrawAll();
    WeaponPickUp::UpdateAll();
    if (draw) SecondaryPickUp::DrawAll();
    SecondaryPickUp::UpdateAll();
    AI::UpdateAll();
    if (draw) AI::DrawAll();
    Player::UpdateAll();
    if (draw) Player::DrawAll();
    Shot::PrimaryFramePass(draw);
    if (draw) Weapon::DrawAll();
    Weapon::UpdateAll();
    Explosion::FramePass(draw);
    if (draw) {
        DrawStatusBar();
        Minimap::DrawAll();
    }
    Minimap::UpdateAll();
    if (draw) ConsoleDraw();
    ConsoleUpdate();
    Timer::Update();
    // A spectator drives nothing and sees no score line; in the demo the
    // autopilot drives.
    if (match.Autopilot) {
        AutopilotInput();
    } else if (match.HumanPlayer) {
        PlayerInput();
    }
    if (draw && (match.Autopilot || match.HumanPlayer)) DrawScoreAndAim();
    if (match.TheWorld) match.TheWorld->Update(app.FrameDelta);
    // The pause starts after the frame is drawn, so that the paused screen
    // shows it.
    if (PauseAsked()) PauseMatch();
}

// Makes the player's configuration and state folders (the data folder is
// made when something is first saved there) and brings the settings of an
// earlier version, kept in the data folder, over once. Returns the lines
// for the console: what was copied, and the folders that cannot be made
// (the game then runs on its defaults and writes no report).
std::vector<std::string> PrepareUserFolders(const UserFolders& user) {
    std::vector<std::string> notes;
    if (user.InWorkingFolder()) return notes;
    bool config_ok = true;
    for (const std::string* folder : {&user.config, &user.state}) {
        if (folder->empty() || fs_make_dirs(*folder)) continue;
        notes.push_back("Cannot create the folder " + *folder +
                        (folder == &user.config
                             ? ": the settings are the defaults and are not saved"
                             : ": no report is written"));
        if (folder == &user.config) config_ok = false;
    }
    const std::string config = UserPath(user.config, kConfigFile);
    if (config_ok && fs_file_type(config) == 0 && fs_file_type(kConfigFile) == 1 &&
        fs_absolute(kConfigFile) != fs_absolute(config)) {
        if (fs_copy_file(kConfigFile, config)) {
            notes.push_back("Settings copied from " + fs_absolute(kConfigFile) + " to " + config);
        }
    }
    return notes;
}

}  // namespace

bool StartUp(const StartOptions& options) {
    if (g_started) return true;
    AppState& app = App();
    ResetReplays();

    // 1. Names.
    std::copy(kDisplayNames.begin(), kDisplayNames.end(), app.AIDisplayNames.begin());
    // 2. The player's folders, and the report file in its own; an
    // unwritable folder leaves it Null and the game runs without a report.
    app.User = options.user;
    const std::vector<std::string> folder_notes = PrepareUserFolders(app.User);
    app.ReportFile = stream_open_write(UserPath(app.User.state, kReportFile));
    log_set_sink([](const std::string& text, int colour) { ConsoleMessage::Create(text, colour); });
    for (const std::string& note : folder_notes) ConsoleMessage::Create(note, kConsoleYellow);
    SetPlayerArenaFolder(app.User.data.empty() ? "" : UserPath(app.User.data, "Arenas"));
    // 3. Title.
    app_set_title("Crashmoor v1.0 [RC1]");
    // 4. Console words.
    std::copy(kConsoleWords.begin(), kConsoleWords.end(), app.ConsoleCommands.begin());
    // 5. Music channel.
    app.MusicChannel = chan_alloc();
    // 6. Random seed.
    rnd_seed(options.has_seed ? options.seed : sys_millisecs());
    // 7. Configuration.
    app.Config.Name = "config";
    app.Config.Folder = app.User.config;
    app.Config.Init();
    // 8. Screen format and volumes.
    app.Config.Read("Screen Format", "0");
    app.SoundVolume = str_to_int(app.Config.Read("Sound Volume", "5")) / 10.0;
    app.MusicVolume = str_to_int(app.Config.Read("Music Volume", "10")) / 10.0;
    con_print("Sound Volume: " + str_from_float(app.SoundVolume));
    con_print("Music Volume: " + str_from_float(app.MusicVolume));
    // The player's choice of window or full screen; a file from before it
    // existed gets full screen.
    const bool full_screen = str_to_int(app.Config.Read("Full Screen", "1")) != 0;
    // 9. Graphics mode: every screen format opens the same mode, full screen
    // unless the player chose a window; a display that cannot show it full
    // screen gets a window.
    if (!gfx_open(1024, 768, full_screen ? 32 : 0, 60, 0) && !gfx_open(1024, 768, 0, 60, 0)) {
        g_start_error = "cannot open the graphics mode: " + gfx_last_error();
        return false;
    }
    // 10. Mask colour.
    img_set_mask_color(255, 0, 255);
    // The drawing state every frame starts from, alpha-blended (each
    // drawing puts back what it changes).
    gfx_set_blend(kBlendAlpha);
    // 11. State and detail level. Effects know the levels 0, 1 and 2 only.
    app.GameState = kStateMenus;
    app.GraphicsQuality = GraphicsQualityFrom(app.Config.Read("Graphics Quality", "3"));
    app.ShowFPS = str_to_int(app.Config.Read("Show FPS", "0")) != 0;
    // The player's controls, and the pad mappings shipped beside the data.
    LoadBindings();
    if (const std::string mappings = fs_resolve(kPadMappingsFile); fs_file_type(mappings) == 1) {
        const int added = pad_add_mappings(mappings);
        con_print("Gamepad mappings read from " + std::string(kPadMappingsFile) + ": " +
                  str_from_int(std::max(added, 0)));
    }
    // 12. Effect channels.
    for (ChannelHandle& channel : app.EffectChannels) channel = chan_alloc();
    ApplyVolumes();
    // 14. Fonts.
    app.FontMedium = font_load(kSystemFont, 25, kFontSmooth);
    app.FontLarge = font_load(kSystemFont, 72, kFontSmooth);
    app.FontSmall = font_load(kSystemFont, 12, kFontSmooth);
    // 15. Images.
    app.GradBall = img_load("sprites/gradball.png", -1);
    app.TargetImage = img_load("Sprites/target.png", -1);
    app.BigDogImage = img_load("sprites/bigdog.png", -1);
    img_mid_handle(app.BigDogImage);
    app.LogoBackdrop = img_load("sprites/backdrop/logo.png", -1);
    app.MenuBackdrop = img_load("sprites/backdrop/mainmenu.png", -1);
    // 16. Loading screen.
    DrawLoadingScreen();
    // 17. Music.
    LoadMusicList();
    // 18. Effect sounds.
    for (int i = 0; i < kEffectSoundCount; ++i) app.EffectSounds[i] = snd_load(kEffectFiles[i], 0);
    // 19. The game draws its own cursor.
    in_hide_mouse();
    // 20. The menus.
    kit_Initialise();
    BuildMenus();
    // 21. Frame clock and match clock.
    Delta::Start();
    Timer::Reset();
    g_started = true;
    if (options.replay) {
        std::string error;
        if (!PlayReplay(*options.replay, &error)) {
            g_start_error = "the replay cannot be played: " + error;
            return false;
        }
        app.GameState = kStateMatch;
        g_print_results = true;
    } else if (options.quick_match) {
        if (!StartMatch(*options.quick_match)) {
            g_start_error = "the arena " + options.quick_match->Arena + " could not be loaded";
            return false;
        }
        app.GameState = kStateMatch;
        g_print_results = true;
    }
    return true;
}

const std::string& StartUpError() {
    return g_start_error;
}

namespace {

// Escape ends the program only when held: a tap leaves a text field, and
// must not throw a match away.
constexpr std::int64_t kLeaveHoldMs = 700;
// A tap (a pause, a pad's B standing in for Escape) shows no bar: it
// appears once Escape has been held this long.
constexpr std::int64_t kLeaveBarAfterMs = 150;
std::int64_t g_escape_since = -1;

// The "Leaving..." bar over the frame, filled to `share`.
void DrawLeavingBar(double share) {
    const AppState& app = App();
    const int w = 300, h = 56;
    const int x = (gfx_width() - w) / 2, y = gfx_height() - h - 60;
    gfx_draw_rect_with(x, y, w, h, gfx_tint(0, 0, 0, 0.75));
    {
        const kit_FontScope font(app.FontMedium ? app.FontMedium : gfx_get_font());
        const std::string text = "Leaving...";
        DrawTextWith(text, x + (w - gfx_text_width(text)) / 2, y + 6, DrawParams{});
    }
    gfx_draw_rect_with(x + 10, y + h - 18, static_cast<int>((w - 20) * share), 10,
                       gfx_tint(200, 40, 40));
}

// Whether Escape has been held long enough to leave; draws the bar while it
// is held, and forgets the hold when it is let go.
bool HeldToLeave() {
    if (in_key_down(vk::kEscape) == 0) {
        g_escape_since = -1;
        return false;
    }
    const std::int64_t now = sys_millisecs();
    if (g_escape_since < 0) g_escape_since = now;
    const std::int64_t held = now - g_escape_since;
    if (engine_options().video && held >= kLeaveBarAfterMs) {
        DrawLeavingBar(std::min(1.0, static_cast<double>(held) / kLeaveHoldMs));
    }
    return held >= kLeaveHoldMs;
}

}  // namespace

bool RunFrame() {
    AppState& app = App();
    ReplayFrameStarting();

    // A frame that starts paused moves nothing, so it measures no frame
    // time either: the first frame after the pause steps as far as the
    // last one before it.
    const bool began_paused = MatchPaused();
    if (app.GameState == kStateMenus) {
        MenuFrame();
    } else if (app.GameState == kStateMatch) {
        MatchFrame();
    }

    ReportPads();
    kit_FPS::Update();
    if (app.ShowFPS && engine_options().video) DrawFrameRate();
    KeepMusicPlaying();
    in_confine_mouse(PointerConfined() ? 1 : 0);
    if (!began_paused) {
        Delta::Update();
        app.FrameDelta = Delta::Get();
    }
    const bool leave = HeldToLeave();
    if (g_before_flip) g_before_flip(g_before_flip_user);
    gfx_flip(-1);
    if (engine_options().video) gfx_cls();
    ReplayFrameDone();
    if (app_terminate()) return false;
    if (sys_end_requested()) return false;
    return !leave;
}

void SetBeforeFlipHook(BeforeFlipHook hook, void* user) {
    g_before_flip = hook;
    g_before_flip_user = user;
}

void ShutDown() {
    AppState& app = App();
    g_escape_since = -1;
    ResetPause();
    in_confine_mouse(0);
    chan_stop(app.MusicChannel);
    stream_close(app.ReportFile);
    log_set_sink(nullptr);
    gfx_set_font(nullptr);
    if (app.GameState == kStateMatch) {
        ReplayMatchEnding();
        EndMatchTeardown();
    }
    tape_play_stop();
    ConsoleInputLine().clear();
    ResetPadPointer();
    SetPlayerArenaFolder("");
    ReleaseMenus();
    kit_Shutdown();
    // A match started and never shown (the start failed half-way) ends too.
    EndMatchTeardown();
    ResetAppState();
    Delta::Reset();
    // The input of this run (an end request among it) is not the next one's.
    input_reset();
    g_started = false;
    g_print_results = false;
    // Every object of the last match must be gone by now: say so if not.
    if (LiveObjectTotal() > 0) {
        std::fprintf(stderr, "crashmoor: game objects alive at exit: %s\n",
                     LiveObjectSummary().c_str());
    }
}
