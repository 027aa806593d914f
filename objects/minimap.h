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
    /// Steps every dot (the square has no step of its own).
    static int UpdateAll();
    /// Every minimap that is not hidden, then every dot on one.
    static int DrawAll();
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
    /// Follows the driver's car (the frame draws the dot before the step).
    virtual int Update();
    virtual int Destroy();
    static int UpdateAll();
    /// Every dot on a minimap that is not hidden.
    static int DrawAll();
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
