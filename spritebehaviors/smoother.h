#pragma once
// Moving averages over the last n values: the world smooths its frame time
// with one, a sprite its heading with another.

#include <cstddef>
#include <memory>
#include <vector>

#include "spritebehaviors/vector2d.h"

/// A ring of n values, all zero at the start. `Update` stores a value in the
/// next slot (wrapping after the last) and returns the sum of all n slots
/// divided by n, so slots not yet written count as zero.
template <typename T>
class Smoother {
public:
    /// n below 1 is taken as 1.
    explicit Smoother(int n) : slots_(static_cast<std::size_t>(n < 1 ? 1 : n)) {}

    static std::shared_ptr<Smoother> Create(int n) { return std::make_shared<Smoother>(n); }

    T Update(const T& value) {
        slots_[next_] = value;
        next_ = (next_ + 1) % slots_.size();
        T sum{};
        for (const T& s : slots_) sum = sum + s;
        return Divide(sum, static_cast<double>(slots_.size()));
    }

    int Size() const { return static_cast<int>(slots_.size()); }

private:
    static double Divide(double v, double n) { return v / n; }
    static Vector2D Divide(const Vector2D& v, double n) { return v.DivNew(n); }

    std::vector<T> slots_;
    std::size_t next_ = 0;
};

using DoubleSmoother = Smoother<double>;
using Vector2DSmoother = Smoother<Vector2D>;
