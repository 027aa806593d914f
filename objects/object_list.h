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
/// reaches it (itself or another) is skipped. Walks may nest. An object
/// removed during a walk leaves an empty slot and is kept alive until the
/// outermost walk ends, so the object being visited may remove itself (or
/// be removed) and still finish its visit.
template <typename T>
class ObjectList {
public:
    using Ref = std::shared_ptr<T>;

    /// Appends at the end. An object with a `Class()` is filed under it (its
    /// class, a small non-negative number, must not change afterwards), for
    /// `WalkClass` and `CountClass`.
    void Append(Ref object) {
        if (!object) return;
        int tag = 0;
        if constexpr (requires(const T& t) { t.Class(); }) tag = static_cast<int>(object->Class());
        const auto slot = static_cast<std::size_t>(tag);
        if (slot >= class_counts_.size()) class_counts_.resize(slot + 1, 0);
        ++class_counts_[slot];
        items_.push_back(Entry{std::move(object), tag});
    }

    /// Removes the object; false (and nothing changes) when it is not in the
    /// list, so removing twice is harmless.
    bool Remove(const T* object) {
        if (!object) return false;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].ref.get() != object) continue;
            --class_counts_[static_cast<std::size_t>(items_[i].tag)];
            if (walking_ > 0) {
                graveyard_.push_back(std::move(items_[i].ref));
                items_[i].ref.reset();
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
        for (const Entry& e : items_) {
            if (e.ref.get() == object) return true;
        }
        return false;
    }

    /// Calls visit(object) with each object (a T&), first to last (see the
    /// class note).
    template <typename Visit>
    void Walk(Visit&& visit) {
        WalkIf([](const T&) { return true; }, visit);
    }

    /// As Walk, visiting only the objects for which keep(object) holds.
    template <typename Keep, typename Visit>
    void WalkIf(Keep&& keep, Visit&& visit) {
        ++walking_;
        // By index and through a plain pointer: appending may move the
        // vector, and a removed object stays alive in the graveyard.
        for (std::size_t i = 0; i < items_.size(); ++i) {
            T* object = items_[i].ref.get();
            if (object && keep(*object)) visit(*object);
        }
        if (--walking_ == 0) CloseUp();
    }

    /// As Walk, visiting only the objects filed under the class `cls`
    /// (without touching the others).
    template <typename Class, typename Visit>
    void WalkClass(Class cls, Visit&& visit) {
        const int tag = static_cast<int>(cls);
        ++walking_;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].tag != tag) continue;
            if (T* object = items_[i].ref.get()) visit(*object);
        }
        if (--walking_ == 0) CloseUp();
    }

    /// The objects now in the list, first to last.
    std::vector<Ref> Items() const {
        std::vector<Ref> out;
        out.reserve(items_.size());
        for (const Entry& e : items_) {
            if (e.ref) out.push_back(e.ref);
        }
        return out;
    }

    int Count() const {
        int n = 0;
        for (const Entry& e : items_) n += e.ref ? 1 : 0;
        return n;
    }

    bool Empty() const { return Count() == 0; }

    /// The objects now in the list filed under the class `cls`, without a
    /// walk: the count changes with every append, removal and clearing, so
    /// a frame's hot loop may ask it for every object it steps.
    template <typename Class>
    int CountClass(Class cls) const {
        const auto slot = static_cast<std::size_t>(cls);
        return slot < class_counts_.size() ? class_counts_[slot] : 0;
    }

    /// Drops every object (during a walk: empties every slot).
    void Clear() {
        class_counts_.assign(class_counts_.size(), 0);
        if (walking_ > 0) {
            for (Entry& e : items_) {
                if (e.ref) graveyard_.push_back(std::move(e.ref));
                e.ref.reset();
            }
            holes_ = true;
        } else {
            items_.clear();
        }
    }

private:
    struct Entry {
        Ref ref;
        int tag;
    };

    void CloseUp() {
        if (holes_) std::erase_if(items_, [](const Entry& e) { return !e.ref; });
        holes_ = false;
        // Objects removed during the walk go now. Released from a vector of
        // their own, in case a destructor touches this list; the storage is
        // kept for the next walk.
        if (graveyard_.empty()) return;
        std::vector<Ref> dead;
        dead.swap(graveyard_);
        dead.clear();
        if (graveyard_.empty()) graveyard_.swap(dead);
    }

    std::vector<Entry> items_;
    std::vector<Ref> graveyard_;
    std::vector<int> class_counts_;  ///< listed objects by class tag
    int walking_ = 0;
    bool holes_ = false;
};
