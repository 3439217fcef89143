#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/GroupView.h"
#include "framework/images/ImageCache.h"
#include "framework/views/SolidColorGroupView.h"
#include <string>

namespace NSHarrowen {

// A picture of the image cache at the frame's top-left corner.
class CStaticBitmapView : public CView {
public:
    CStaticBitmapView(CGroupView* parent, uint32_t resource, uint32_t second = 0, uint32_t third = 0);
    void Draw() override;
    void UpdateDisplay() override;

private:
    CImageID image_;
    bool shownEnabled_ = true;
};

} // namespace NSHarrowen
