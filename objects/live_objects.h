#pragma once
// A debug count of live game objects per class, to prove that the objects
// of a finished match are gone.

#include <string>

/// Counts one object of a class for as long as it lives: a member of every
/// game class. Copies count as objects of their own.
class LiveTally {
public:
    explicit LiveTally(const char* className);
    LiveTally(const LiveTally& other);
    LiveTally& operator=(const LiveTally&) { return *this; }
    ~LiveTally();

private:
    const char* class_name_;
};

/// Live objects of the named class ("Jeep", "MGBullet", "Explosion", ...).
int LiveObjectCount(const std::string& className);
/// Live objects of all classes together.
int LiveObjectTotal();
/// The live classes and their counts as one line ("Jeep 1 Shot 4"), empty
/// when nothing lives.
std::string LiveObjectSummary();
