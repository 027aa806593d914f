#pragma once
// The minimap of a match: a dark square in the bottom-right corner of the
// screen with one dot per driver in its team colour. The human player and
// the computer drivers each put their dot on it when they are made.

#include <memory>

#include "objects/live_objects.h"
#include "objects/match_state.h"
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

    static constexpr MatchList<Minimap, &Match::Minimaps> List{};

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

    static constexpr MatchList<MinimapDot, &Match::MinimapDots> List{};

private:
    LiveTally tally_{"MinimapDot"};
};
