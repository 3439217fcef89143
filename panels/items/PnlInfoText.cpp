#include "panels/items/PnlInfoText.h"

#include "panels/ParamTextFunctions.h"
#include "panels/items/CustomDataStream.h"
#include "panels/panel/CustomContainerInterface.h"
#include "panels/widgets/TextView.h"
#include "synth/protocol/TextFunctions.h"

CPnlInfoTextABC::CPnlInfoTextABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t variants, int16_t width,
                                 int16_t height)
    : CPnlCustom(parent, x, y, 1), variants_(variants)
{
    SetItemSize(width, height);
    label_ = std::make_unique<CTextView>(this, std::string());
    label_->SetFrame(GetFrame());
}

CPnlInfoTextABC::~CPnlInfoTextABC() = default;

const std::string& CPnlInfoTextABC::GetShownText() const
{
    return label_->GetText();
}

bool CPnlInfoTextABC::RequestNextVariant()
{
    if (variants_ < 2) {
        return false;
    }
    chosen_ = static_cast<uint8_t>((variant_ + 1) % variants_);
    GetCustomContainer()->SendCustomData(*this);
    return true;
}

bool CPnlInfoTextABC::OnMouseDown(int16_t, int16_t)
{
    return RequestNextVariant();
}

bool CPnlInfoTextABC::OnDoubleClick(int16_t, int16_t)
{
    return RequestNextVariant();
}

bool CPnlInfoTextABC::WriteChangedData(CCustomDataStream& stream)
{
    if (variants_ < 2) {
        return false;
    }
    stream.WriteByte(chosen_);
    return chosen_ != variant_;
}

void CPnlInfoTextABC::ReadData(CCustomDataStream& stream)
{
    if (variants_ < 2) {
        return;
    }
    const uint8_t variant = stream.ReadByte();
    // A variant this item does not have shows the first.
    variant_ = variant < variants_ ? variant : 0;
    chosen_ = variant_;
    redraw_ = true;
}

void CPnlInfoTextABC::WriteData(CCustomDataStream& stream)
{
    if (variants_ > 1) {
        stream.WriteByte(variant_);
    }
}

void CPnlInfoTextABC::UpdateDisplay()
{
    if (redraw_ || IsDirty()) {
        const std::string text = GetText();
        if (text != label_->GetText()) {
            label_->SetText(text);
            InvalidateFrame();
        }
        redraw_ = false;
        SetDirty(false);
    }
    label_->UpdateDisplay();
}

void CPnlInfoTextABC::Draw()
{
    label_->Draw();
}

namespace Infos {

std::string SlaveOscInterval(uint8_t coarse)
{
    const int s = coarse - 64;
    std::string text = s > 0 ? "+" + IntToString(s) : IntToString(s);
    switch ((s + 120) % 12) {
    case 0:
        text += " (Oct)";
        break;
    case 7:
        text += " (5th)";
        break;
    case 10:
        text += " (7th)";
        break;
    default:
        break;
    }
    return text;
}

CDefaultText::CDefaultText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height)
    : CPnlInfoTextABC(parent, x, y, 1, width, height)
{ }

std::string CDefaultText::GetText() const
{
    return GetParams().empty() ? std::string() : GetParamText(0);
}

CFilterText::CFilterText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlInfoTextABC(parent, x, y, 2, width, 15)
{ }

std::string CFilterText::GetText() const
{
    if (GetParams().empty()) {
        return {};
    }
    return GetVariant() == 0 ? ParamTextFreq(GetParamValue(0)) : ParamTextKeyNoteShifted(GetParamValue(0));
}

CMasterOscText::CMasterOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlInfoTextABC(parent, x, y, 2, width, 15)
{ }

std::string CMasterOscText::GetText() const
{
    if (GetParams().size() < 2) {
        return {};
    }
    return GetVariant() == 0 ? ParamTextFreqFine(GetParamValue(0), GetParamValue(1))
                             : ParamTextKeyNote(GetParamValue(0));
}

CSmallSlaveOscText::CSmallSlaveOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlInfoTextABC(parent, x, y, 1, width, 14)
{ }

std::string CSmallSlaveOscText::GetText() const
{
    if (GetParams().size() < 2) {
        return {};
    }
    return ParamTextRatioPlain(static_cast<int16_t>(GetParamValue(0) - 64), static_cast<int16_t>(GetParamValue(1) - 64),
                               3);
}

CSlaveOscText::CSlaveOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlInfoTextABC(parent, x, y, 3, width, 15)
{ }

std::string CSlaveOscText::GetText() const
{
    if (GetParams().size() < 2) {
        return {};
    }
    switch (GetVariant()) {
    case 1:
        return SlaveOscInterval(GetParamValue(0));
    case 2:
        return ParamTextFreqFine(GetParamValue(0), GetParamValue(1));
    default:
        return ParamTextRatio(static_cast<int16_t>(GetParamValue(0) - 64), static_cast<int16_t>(GetParamValue(1) - 64),
                              3);
    }
}

CSlaveLfoText::CSlaveLfoText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlInfoTextABC(parent, x, y, 2, width, 15)
{ }

std::string CSlaveLfoText::GetText() const
{
    if (GetParams().empty()) {
        return {};
    }
    return GetVariant() == 0 ? ParamTextCentred(GetParamValue(0)) : ParamTextLfoRate(GetParamValue(0), 1);
}

} // namespace Infos
