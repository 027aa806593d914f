#pragma once
// The class-wide object lists of the game: creation order, and walks that
// survive any change made while they run.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

/// A list of counted references in creation order.
///
/// A walk visits every object that is in the list when the walk reaches it:
/// an object appended during a walk (a grenade's fragments, a replacement
/// gun) is visited by that walk too, and an object removed before the walk
/// reaches it (itself or another) is skipped. The object being visited is
/// held for the length of its visit, so it may remove itself safely. Walks
/// may nest; removal leaves an empty slot that the outermost walk closes up
/// when it ends.
template <typename T>
class ObjectList {
public:
    using Ref = std::shared_ptr<T>;

    /// Appends at the end.
    void Append(Ref object) {
        if (object) items_.push_back(std::move(object));
    }

    /// Removes the object; false (and nothing changes) when it is not in the
    /// list, so removing twice is harmless.
    bool Remove(const T* object) {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].get() != object || !object) continue;
            if (walking_ > 0) {
                items_[i].reset();
                holes_ = true;
            } else {
                items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            }
            return true;
        }
        return false;
    }

    bool Contains(const T* object) const {
        if (!object) return false;
        for (const Ref& r : items_) {
            if (r.get() == object) return true;
        }
        return false;
    }

    /// Calls visit(ref) for each object, first to last (see the class note).
    template <typename Visit>
    void Walk(Visit&& visit) {
        ++walking_;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            const Ref object = items_[i];  // held while visited
            if (object) visit(object);
        }
        if (--walking_ == 0 && holes_) CloseUp();
    }

    /// The objects now in the list, first to last.
    std::vector<Ref> Items() const {
        std::vector<Ref> out;
        out.reserve(items_.size());
        for (const Ref& r : items_) {
            if (r) out.push_back(r);
        }
        return out;
    }

    int Count() const {
        int n = 0;
        for (const Ref& r : items_) n += r ? 1 : 0;
        return n;
    }

    bool Empty() const { return Count() == 0; }

    /// Drops every object (during a walk: empties every slot).
    void Clear() {
        if (walking_ > 0) {
            for (Ref& r : items_) r.reset();
            holes_ = true;
        } else {
            items_.clear();
        }
    }

private:
    void CloseUp() {
        std::erase_if(items_, [](const Ref& r) { return !r; });
        holes_ = false;
    }

    std::vector<Ref> items_;
    int walking_ = 0;
    bool holes_ = false;
};
