#pragma once

// Puts another value in a variable for the holder's lifetime and the replaced value back at its
// end, so that holders nest: how a test's stand-in, or an object that makes itself the current
// one, takes a global's place.
template <class Value> class ScopedOverride {
public:
    ScopedOverride(Value& variable, Value replacement) : variable_(variable), previous_(variable) {
        variable_ = replacement;
    }
    ~ScopedOverride() { variable_ = previous_; }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
    Value& variable_;
    Value previous_;
};
