#pragma once
// The human driver: keyboard and mouse become its car's input flags; each
// frame it drives the car's physics and weapons, and after the car is
// destroyed it shows the respawn screen and brings a new car after the
// respawn penalty.

#include <memory>
#include <string>

#include "ai/control_object.h"
#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/object_list.h"

class SpriteEmitter;

class Player : public ControlObject {
public:
    /// The human driver with a car of model 1 Jeep, 2 Car, 3 SportsCar,
    /// 4 ConceptCar, 5 SemiTruck (other values are taken as the nearest of
    /// those) at a random respawn point, team 1..4 or 5 for none.
    static std::shared_ptr<Player> Make(int model, int team);
    /// Leaves the player list.
    int Destroy() override;
    /// One frame's step: drive, lay treads, fire; the respawn count while
    /// dead. Draws nothing.
    int Update() override;
    /// What the last step showed: the respawn screen while dead, otherwise
    /// the car and, while the trigger was held, the gun's smoke.
    int Draw();
    /// One frame of the respawn wait; a new car once the penalty is over.
    int Respawn();
    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();

    int respawnCount = 0;
    int respawnCap = 0;

    static constexpr MatchList<Player, &Match::Players> List{};

private:
    /// "RESPAWNING..." over the frame with the bar of the frames left.
    void DrawRespawnScreen() const;

    bool respawnShown_ = false;  ///< the last step waited to respawn
    int respawnLeft_ = 0;        ///< frames of the wait left in that step
    /// The smoke of the gun whose trigger the last step held.
    std::shared_ptr<SpriteEmitter> smoke_;
    LiveTally tally_{"Player"};
};

/// Keys and mouse into the human car's flags (unless the console is open)
/// and the console key. Once a match frame.
void PlayerInput();
/// The console key: opens or closes the console and the frame-rate display.
void ConsoleKey();
/// The score line with the score limit and the clock of the time left
/// (while the console is closed; the clock alone for a spectator), and the
/// aiming mark at the mouse.
void DrawScoreAndAim();
/// "Score: 3 / 10": the points and the score limit.
std::string ScoreText(int points, int scoreLimit);
/// The time left as m:ss ("4:59"); none left is "0:00".
std::string ClockText(int secondsLeft);
