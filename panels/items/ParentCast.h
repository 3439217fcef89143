#pragma once

#include "framework/views/GroupView.h"

// A view's parent cast to one of its interfaces, kept while the parent stays
// the same: panels ask for it on every update, and each dynamic_cast
// compares type names.
template <typename T> class CParentCast {
public:
    T* Get(NSHarrowen::CGroupView* parent) const
    {
        if (parent != parent_) {
            parent_ = parent;
            cast_ = dynamic_cast<T*>(parent);
        }
        return cast_;
    }

private:
    mutable NSHarrowen::CGroupView* parent_ = nullptr;
    mutable T* cast_ = nullptr;
};
