#pragma once

#include <functional>
#include <utility>

namespace NSHarrowen {

// How a control reports a user action without calling its owner: it stores
// the event, runs the update passes (during which the owner takes it once),
// and clears it afterwards whether or not it was taken.
template <typename T> class CEventLatch {
public:
    explicit CEventLatch(T idle = T{}) : idle_(idle), value_(idle) { }

    void Publish(T value, const std::function<void()>& passes)
    {
        set_ = true;
        value_ = std::move(value);
        if (passes)
            passes();
        Clear();
    }
    // The event once: true and the data, then false until the next one.
    bool Take(T& out)
    {
        if (!set_)
            return false;
        out = value_;
        Clear();
        return true;
    }
    bool Take()
    {
        T ignored;
        return Take(ignored);
    }
    bool IsSet() const { return set_; }
    const T& Peek() const { return value_; }
    void Clear()
    {
        set_ = false;
        value_ = idle_;
    }

private:
    T idle_;
    T value_;
    bool set_ = false;
};

} // namespace NSHarrowen
