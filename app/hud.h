#pragma once
// The overlays of a match: the minimap square with one dot per driver, the
// status bar along the bottom (gun and ammunition, health, device) and the
// match clock that counts the time limit down in seconds of play.

#include <cstdint>
#include <memory>

#include "objects/live_objects.h"
#include "objects/object_list.h"

class ControlObject;

class Minimap : public std::enable_shared_from_this<Minimap> {
public:
    /// The minimap of an arena on a screen; `hidden` 1 draws neither the
    /// square nor the dots. The scale is at least 1 arena pixel per minimap
    /// pixel, so arenas narrower than 150 pixels still place their dots.
    static std::shared_ptr<Minimap> Create(int screenW, int screenH, int arenaW, int arenaH,
                                           int hidden);
    virtual ~Minimap() = default;
    /// The dark square in the bottom-right corner.
    virtual int Draw();
    virtual int Update();
    /// Every minimap, then every dot.
    static int UpdateAll();
    virtual int Destroy();

    float MiniX = 1;
    float MiniY = 1;
    float MapOffsetX = 0;
    float MapOffsetY = 0;
    int visible = 0;  ///< the "Disable Minimap" state: drawn only while 0

    static inline ObjectList<Minimap> List;

private:
    LiveTally tally_{"Minimap"};
};

class MinimapDot : public std::enable_shared_from_this<MinimapDot> {
public:
    static std::shared_ptr<MinimapDot> Create(const std::shared_ptr<Minimap>& map,
                                              const std::shared_ptr<ControlObject>& driver);
    virtual ~MinimapDot() = default;
    /// A 5 x 5 square in the driver's team colour; the human's is white in a
    /// red frame.
    virtual int Draw();
    /// Draws (unless hidden), then follows the driver's car.
    virtual int Update();
    virtual int Destroy();
    static int UpdateAll();
    static int DestroyAll();
    /// Moves the dot to the driver's car on the minimap.
    void Place();

    int X = 0;
    int Y = 0;
    std::weak_ptr<ControlObject> ObjParent;
    std::shared_ptr<Minimap> Map;

    static inline ObjectList<MinimapDot> List;

private:
    LiveTally tally_{"MinimapDot"};
};

/// The status bar of the human player's car: gun and ammunition, health
/// (red at 15 or less), and the device while it has charges.
void DrawStatusBar();

/// The match clock: TimeLeft drops by one each second of play (the game's
/// clock, which stands still while the match is paused).
class Timer {
public:
    static void Reset();
    static void Update();
    /// On the game's 64-bit millisecond clock, exact however long the
    /// program runs.
    static inline std::int64_t NextTick = 0;
    static inline int Interval = 1000;
};
