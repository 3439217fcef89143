#include "panels/jacks/PnlHole.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/panel/HoleContainerInterface.h"

using NSHarrowen::CPoint;

CPnlHole::CPnlHole(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, NSHarrowen::CImageID picture)
    : CPanelItem(parent, x, y), picture_(picture)
{
    SetItemSize(kSize, kSize);
}

CPnlHole::~CPnlHole() = default;

void CPnlHole::Register(bool output)
{
    if (CHoleContainerInterface* container = GetContainer()) {
        if (output) {
            container->AddOutHole(*this);
        } else {
            container->AddInHole(*this);
        }
    }
}

CHoleContainerInterface* CPnlHole::GetContainer() const
{
    return container_.Get(GetParent());
}

JackAddress CPnlHole::GetJackAddress() const
{
    const CHoleContainerInterface* container = GetContainer();
    return container ? container->GetJackAddress(*this) : JackAddress{};
}

JackAddress CPnlHole::GetNetRoot() const
{
    const CHoleContainerInterface* container = GetContainer();
    return container ? container->GetNetRoot(*this) : GetJackAddress();
}

bool CPnlHole::IsNetDriven() const
{
    return GetNetRoot().IsOutput();
}

bool CPnlHole::IsConnected() const
{
    const CHoleContainerInterface* container = GetContainer();
    return container != nullptr && container->IsJackConnected(*this);
}

bool CPnlHole::IsLeaf() const
{
    const CHoleContainerInterface* container = GetContainer();
    return container == nullptr || container->IsJackLeaf(*this);
}

void CPnlHole::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawImagePart(GetFrame().left, GetFrame().top, picture_, connected_ ? kSize : 0, 0, kSize, kSize);
}

// A cable made or removed shows on its jacks at the next update pass.
void CPnlHole::UpdateDisplay()
{
    const bool connected = IsConnected();
    if (connected != connected_) {
        connected_ = connected;
        InvalidateFrame();
    }
}

void CPnlHole::ContextClick(CPoint where)
{
    if (NSHarrowen::GetHoverView() == this) {
        if (CHoleContainerInterface* container = GetContainer()) {
            container->ShowJackMenu(*this, where);
        }
    }
}

bool CPnlHole::OnMouseDown(int16_t x, int16_t y)
{
    if (CHoleContainerInterface* container = GetContainer()) {
        container->HighlightNet(*this);
        container->StartCableDrag(*this, CPoint(x, y));
    }
    return true;
}

bool CPnlHole::OnDoubleClick(int16_t x, int16_t y)
{
    if (CHoleContainerInterface* container = GetContainer()) {
        container->HighlightNet(*this);
        container->StartCableMove(*this, CPoint(x, y));
    }
    return true;
}

void CPnlHole::MouseUp()
{
    if (CHoleContainerInterface* container = GetContainer()) {
        container->ClearHighlight();
    }
}
