#pragma once
// The root of the kit's reference types and the small value types every
// gadget shares.
//
// Events carry an `Extra` object of any kit type (a screen, a pop-up, a
// text), so screens, gadgets and texts share this root. Objects are always
// held by `std::shared_ptr`.

#include <memory>
#include <string>

/// The object root: anything an event's `Extra` or a table row may carry.
class kit_Object : public std::enable_shared_from_this<kit_Object> {
public:
    kit_Object() = default;
    virtual ~kit_Object() = default;
    kit_Object(const kit_Object&) = delete;
    kit_Object& operator=(const kit_Object&) = delete;
};
using kit_ObjectRef = std::shared_ptr<kit_Object>;

/// A text carried as an object (the `Extra` of a confirmed text field).
class kit_TText : public kit_Object {
public:
    explicit kit_TText(std::string text) : Text(std::move(text)) {}
    std::string Text;
};

/// A drawing colour, three ints 0..255.
struct kit_RGB {
    int R = 255;
    int G = 255;
    int B = 255;
};
