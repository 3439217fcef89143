#include "patch/area/LabelCache.h"

#include "framework/images/Bitmap.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/View.h"
#include "patch/area/ModuleList.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "platform/system/Clock.h"
#include "synth/protocol/MidiCtrlNames.h"
#include "framework/drawing/ABCCanvas.h"

using namespace NSHarrowen;

namespace {

constexpr CColor kLabelFill(0xFF00, 0xFF00, 0xDF00);
constexpr int16_t kExtraWidth = 10;
constexpr int16_t kExtraHeight = 5;
constexpr int16_t kLabelGap = 2;
constexpr uint8_t kLastScannedParam = 64;

// Text is measured on a bitmap of its own, so that labels can be laid out
// while no window draws.
CABCCanvas& MeasuringCanvas()
{
    static CBitmap32 bitmap(1, 1);
    return bitmap;
}

} // namespace

CLabelCache::CLabelCache(CView& area) : area_(area) { }

CLabelCache::~CLabelCache()
{
    RemoveAll();
}

std::string CLabelCache::KnobText(uint8_t knob)
{
    switch (knob) {
    case 19:
        return "Pedal";
    case 20:
        return "Aft tch";
    case 22:
        return "On/Off";
    default:
        return "Knob" + std::to_string(knob + 1);
    }
}

void CLabelCache::Invalidate(const CRect& rect) const
{
    area_.InvalidateRect(rect);
}

CRect CLabelCache::LayOut(const ParamAddress& address, const std::string& text, CPoint centre) const
{
    CABCCanvas& canvas = MeasuringCanvas();
    const CFontSpec& font = GetStandardFont();
    const auto width = static_cast<int16_t>(canvas.GetStringWidth(text.c_str(), font) + kExtraWidth);
    const auto height = static_cast<int16_t>(canvas.GetFontHeight(font) + kExtraHeight);
    CRect rect(0, 0, width, height);
    rect.Offset(centre.x - width / 2, centre.y - height / 2);
    // Down past every label of another parameter of the module that it
    // meets, in parameter order.
    for (int param = 0; param <= kLastScannedParam; ++param) {
        ParamAddress other = address;
        other.param = static_cast<uint8_t>(param);
        if (other == address)
            continue;
        const auto it = labels_.find(other);
        if (it != labels_.end() && rect.Intersects(it->second.rect))
            rect.Offset(0, height + kLabelGap);
    }
    return rect;
}

void CLabelCache::AddParamLabel(const ParamAddress& address, const std::string& text, CPoint centre, bool temporary)
{
    RemoveParamLabel(address);
    Label label{text, LayOut(address, text, centre), temporary ? platform::NowMilliseconds() : 0};
    // A clock that reads 0 would make the label permanent.
    if (temporary && label.timestamp == 0)
        label.timestamp = 1;
    if (temporary)
        ++liveCount_;
    Invalidate(label.rect);
    labels_[address] = std::move(label);
}

void CLabelCache::SetParamLabelText(const ParamAddress& address, const std::string& text, CPoint centre,
                                    uint32_t delayMs)
{
    valueBox_ = ValueBox{address, text, centre, platform::NowMilliseconds() + delayMs};
}

void CLabelCache::UpdateParamLabel(const ParamAddress& address, const std::string& text)
{
    const auto it = labels_.find(address);
    if (it == labels_.end())
        return;
    const CRect old = it->second.rect;
    const CPoint centre(static_cast<int16_t>(old.left + old.Width() / 2),
                        static_cast<int16_t>(old.top + old.Height() / 2));
    AddParamLabel(address, text, centre, it->second.timestamp != 0);
    Invalidate(old);
}

const CLabelCache::Label* CLabelCache::FindParamLabel(const ParamAddress& address) const
{
    const auto it = labels_.find(address);
    return it == labels_.end() ? nullptr : &it->second;
}

void CLabelCache::Erase(std::map<ParamAddress, Label>::iterator it)
{
    if (it->second.timestamp != 0)
        --liveCount_;
    Invalidate(it->second.rect);
    labels_.erase(it);
}

void CLabelCache::RemoveParamLabel(const ParamAddress& address)
{
    const auto it = labels_.find(address);
    if (it != labels_.end())
        Erase(it);
}

void CLabelCache::RemoveAll()
{
    while (!labels_.empty())
        Erase(labels_.begin());
    valueBox_.reset();
}

void CLabelCache::MoveModuleLabels(int32_t location, uint8_t module, int16_t dx, int16_t dy)
{
    for (auto& [address, label] : labels_) {
        if (address.location != location || address.module != module)
            continue;
        Invalidate(label.rect);
        label.rect.Offset(dx, dy);
        Invalidate(label.rect);
    }
}

void CLabelCache::MoveAll(int16_t dx, int16_t dy)
{
    for (auto& [address, label] : labels_)
        label.rect.Offset(dx, dy);
    if (valueBox_)
        valueBox_->centre =
            CPoint(static_cast<int16_t>(valueBox_->centre.x + dx), static_cast<int16_t>(valueBox_->centre.y + dy));
}

void CLabelCache::DoPeriodicWork()
{
    const uint64_t now = platform::NowMilliseconds();
    if (valueBox_ && now >= valueBox_->due) {
        const ValueBox box = *valueBox_;
        valueBox_.reset();
        AddParamLabel(box.address, box.text, box.centre, true);
    }
    if (liveCount_ == 0)
        return;
    for (auto it = labels_.begin(); it != labels_.end();) {
        const auto next = std::next(it);
        if (it->second.timestamp != 0 && now > it->second.timestamp + kLifetimeMs)
            Erase(it);
        it = next;
    }
}

void CLabelCache::DrawAll(CABCCanvas& canvas) const
{
    const CFontSpec& font = GetStandardFont();
    for (const auto& [address, label] : labels_) {
        canvas.FrameRect(label.rect, kBlack);
        CRect inside = label.rect;
        inside.Deflate(1);
        canvas.FillRect(inside, kLabelFill);
        canvas.DrawStringCentered(label.rect, label.text.c_str(), font, kBlack);
    }
}

void CLabelCache::AddAtParam(const CModuleList& modules, const ParamAddress& address, const std::string& text)
{
    const CModuleInterface* module = modules.Find(address.module);
    if (module && address.param < module->GetParamCount())
        AddParamLabel(address, text, module->GetParamCenter(address.param), false);
}

void CLabelCache::Rebuild(int32_t location, const CModuleList& modules, const CMorphMap& morphs, const CKnobMap& knobs,
                          const CCtrlMap& ctrls, uint32_t kinds)
{
    if (kinds & kMorphLabels)
        for (const auto& [address, entry] : morphs.GetEntries())
            if (address.location == location)
                AddAtParam(modules, address, "Grp " + std::to_string(entry.group + 1));
    if (kinds & kKnobLabels)
        for (const auto& [address, knob] : knobs.GetEntries())
            if (address.location == location)
                AddAtParam(modules, address, KnobText(knob));
    if (kinds & kCtrlLabels)
        for (const auto& [address, controller] : ctrls.GetEntries())
            if (address.location == location)
                AddAtParam(modules, address, FormatCtrlNumber(controller));
}

void CLabelCache::AddValueLabels(int32_t location, const CModuleList& modules, bool scaled)
{
    for (const CModuleInterface* module : modules)
        for (uint8_t param = 0; param < module->GetParamCount(); ++param) {
            const ParamAddress address{location, module->GetModuleIndex(), param};
            AddParamLabel(address, scaled ? module->FormatScaledValue(param) : module->GetParamDisplayText(param),
                          module->GetParamCenter(param), false);
        }
}
