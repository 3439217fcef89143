#pragma once

#include "framework/views/GroupView.h"

// A view's parent cast to one of its interfaces, kept until the view's
// parent changes (its ParentChanged calls Reset): panels ask for it on every
// update, and each dynamic_cast compares type names. One pointer, as a full
// patch has thousands of controls.
template <typename T> class CParentCast {
public:
    T* Get(NSHarrowen::CGroupView* parent) const
    {
        if (cast_ == nullptr) {
            cast_ = dynamic_cast<T*>(parent);
        }
        return cast_;
    }
    void Reset() { cast_ = nullptr; }

private:
    mutable T* cast_ = nullptr;
};
