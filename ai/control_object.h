#pragma once
// The driver record shared by the human player and the computer drivers:
// its vehicle, score, kill credit, name, style, team and Big Dog flag.
// Vehicles, projectiles, the HUD and the results read it.

#include <memory>
#include <string>

class Vehicle;
class MinimapDot;

class ControlObject : public std::enable_shared_from_this<ControlObject> {
public:
    ControlObject() = default;
    virtual ~ControlObject() = default;
    ControlObject(const ControlObject&) = delete;
    ControlObject& operator=(const ControlObject&) = delete;

    /// Frame of this driver; the base does nothing.
    virtual int Update() { return 0; }
    /// Ends this driver; the base does nothing.
    virtual int Destroy() { return 0; }

    std::shared_ptr<Vehicle> myVehicle;    ///< the car this driver controls
    std::weak_ptr<ControlObject> lastHit;  ///< who last damaged the car (kill credit)
    int Points = 0;                        ///< match score
    int Deaths = 0;                        ///< times the car was destroyed
    std::shared_ptr<MinimapDot> myMapDot;  ///< marker on the minimap
    std::string Name;                      ///< display name
    int Style = 0;                         ///< AI: difficulty 1..3; Player: vehicle model 1..5
    int Team = 0;                          ///< 1..4, or 0 for none
    int iAmBigDog = 0;
};
