#pragma once

// The cable gestures of one voice area (the module panels provide them):
// the area ends a running one when the patch leaves its special modes.
class CCableDragInterface {
public:
    virtual ~CCableDragInterface() = default;
    virtual void Cancel() = 0;
};
