#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/views/GroupView.h"
#include "platform/windows/Message.h"
#include <cstdint>
#include <string>

namespace NSHarrowen {

// The base of every control view.
class CControlView : public CView {
public:
    explicit CControlView(CGroupView* parent) : CView(parent) { }
    CControlView(CGroupView* parent, const CRect& frame) : CView(parent, frame) { }
    CControlView(CGroupView* parent, const CDialogItem& item) : CView(parent, item.rect) { }
};

} // namespace NSHarrowen
