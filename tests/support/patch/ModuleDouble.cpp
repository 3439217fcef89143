#include "tests/support/patch/ModuleDouble.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/PatchError.h"
#include "tests/support/patch/CableRenderDouble.h"

#include <algorithm>

namespace testsupport {

namespace {

const JackSpec* FindJack(const CBuildModule& builder, const JackAddress& jack)
{
    const JackDirection direction = jack.IsOutput() ? JackDirection::Output : JackDirection::Input;
    uint8_t seen = 0;
    for (const JackSpec& spec : builder.GetJacks()) {
        if (spec.direction == direction && seen++ == jack.jack) {
            return &spec;
        }
    }
    return nullptr;
}

} // namespace

CModuleDouble::CModuleDouble(const CBuildModule& builder, uint8_t displayKind)
    : builder_(builder), displayKind_(displayKind), name_(builder.GetShortName()), values_(builder.GetDefaults()),
      custom_(builder.GetLoadRecord().CustomValueCount(), 0)
{
    values_.resize(builder.GetParamCount());
    SetGridPosition(0, 0);
}

uint8_t CModuleDouble::GetTypeId() const
{
    return builder_.GetTypeId();
}

uint8_t CModuleDouble::GetHeight() const
{
    return builder_.GetHeight();
}

void CModuleDouble::SetGridPosition(uint8_t column, uint8_t row)
{
    column_ = column;
    row_ = row;
    const NSHarrowen::CRect old = GetFrame();
    SetFrame(NSHarrowen::CRect(old.left, old.top, old.left + kColumnWidth, old.top + GetHeight() * kRowHeight));
}

void CModuleDouble::SetName(const std::string& name)
{
    if (name.size() > kMaxModuleName) {
        throw XPOutOfRange(PatchErrorCode::kInvalidModuleName);
    }
    name_ = name;
}

uint8_t CModuleDouble::GetParamCount() const
{
    return builder_.GetParamCount();
}

uint8_t CModuleDouble::GetParamValue(uint8_t param) const
{
    return param < values_.size() ? values_[param] : 0;
}

void CModuleDouble::SetParamValue(uint8_t param, uint8_t value)
{
    if (param >= values_.size()) {
        throw XPDontExist(PatchErrorCode::kParameterDoesNotExist);
    }
    if (value > builder_.GetParamMax(param)) {
        throw XPOutOfRange(PatchErrorCode::kParamValueOutOfRange);
    }
    values_[param] = value;
}

bool CModuleDouble::IsMorphable(uint8_t param) const
{
    return param < values_.size() && builder_.IsMorphAllowed(param);
}

uint8_t CModuleDouble::NextParam(uint8_t param) const
{
    return builder_.NextByOrderList(param);
}

uint8_t CModuleDouble::PreviousParam(uint8_t param) const
{
    return builder_.PreviousByOrderList(param);
}

uint8_t CModuleDouble::GetCustomValueCount() const
{
    return builder_.GetLoadRecord().CustomValueCount();
}

void CModuleDouble::ReadCustomData(std::span<const uint8_t> data)
{
    if (data.size() < custom_.size()) {
        throw XPIncompleteData(PatchErrorCode::kIncompleteCustomData);
    }
    std::copy_n(data.begin(), custom_.size(), custom_.begin());
}

uint8_t CModuleDouble::GetJackCount(bool output) const
{
    return builder_.GetJackCount(output ? JackDirection::Output : JackDirection::Input);
}

uint8_t CModuleDouble::GetJackSignalKind(const JackAddress& jack) const
{
    const JackSpec* spec = FindJack(builder_, jack);
    return spec == nullptr ? 0 : static_cast<uint8_t>(spec->kind);
}

NSHarrowen::CPoint CModuleDouble::GetJackCenter(const JackAddress& jack) const
{
    const JackSpec* spec = FindJack(builder_, jack);
    const NSHarrowen::CRect frame = GetFrame();
    if (spec == nullptr) {
        return frame.TopLeft();
    }
    return NSHarrowen::CPoint(static_cast<int16_t>(frame.left + spec->x + 6),
                              static_cast<int16_t>(frame.top + spec->y + 6));
}

NSHarrowen::CPoint CModuleDouble::GetParamCenter(uint8_t param) const
{
    const NSHarrowen::CRect frame = GetFrame();
    return NSHarrowen::CPoint(
        static_cast<int16_t>(frame.left + 40 + (param % 6) * 36),
        static_cast<int16_t>(frame.top + 8 + (param / 6) * 12 % std::max<int>(1, frame.Height())));
}

std::array<uint16_t, 10> CModuleDouble::GetLoadWords() const
{
    return builder_.GetLoadRecord().words;
}

std::unique_ptr<CModuleInterface> CModuleDouble::Clone() const
{
    auto clone = std::make_unique<CModuleDouble>(builder_, displayKind_);
    clone->index_ = index_;
    clone->area_ = area_;
    clone->SetGridPosition(column_, row_);
    clone->name_ = name_;
    clone->values_ = values_;
    clone->custom_ = custom_;
    return clone;
}

std::string CModuleDouble::GetParamDisplayText(uint8_t param) const
{
    class Values final : public CParamValueSourceInterface {
    public:
        explicit Values(const CModuleDouble& module) : module_(module) { }
        uint8_t GetParamValue(uint8_t paramIndex) const override { return module_.GetParamValue(paramIndex); }

    private:
        const CModuleDouble& module_;
    };
    return builder_.FormatParamValue(param, GetParamValue(param), Values(*this));
}

std::string CModuleDouble::FormatScaledValue(uint8_t param) const
{
    const uint8_t max = builder_.GetParamMax(param);
    const unsigned scaled = max == 0 ? 0 : GetParamValue(param) * 127u / max;
    return std::to_string(scaled);
}

void CModuleDouble::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    NSHarrowen::CRect frame = GetFrame();
    // An opaque view paints its whole frame: the gap between panels too.
    canvas.FillRect(frame, NSHarrowen::CColor(0x2000, 0x2000, 0x2000));
    frame.right = static_cast<int16_t>(frame.right - 2);
    frame.bottom = static_cast<int16_t>(frame.bottom - 1);
    canvas.FillRect(frame, NSHarrowen::CColor(0xC000, 0xC800, 0xD000));
    canvas.FrameRect(frame, selected_ ? NSHarrowen::CColor(0xFFFF, 0, 0) : NSHarrowen::kBlack);
    NSHarrowen::CRect title(frame.left + 2, frame.top + 1, frame.left + 120, frame.top + 14);
    canvas.DrawStringInRect(title, name_.c_str(), NSHarrowen::CFontSpec("Arial", 8), NSHarrowen::kBlack);
    for (const bool output : {false, true}) {
        for (uint8_t jack = 0; jack < GetJackCount(output); ++jack) {
            const NSHarrowen::CPoint centre = GetJackCenter(JackAddress{index_, jack, uint8_t(output ? 1 : 0)});
            canvas.FillRect(NSHarrowen::CRect(centre.x - 4, centre.y - 4, centre.x + 4, centre.y + 4),
                            output ? NSHarrowen::CColor(0xFFFF, 0x8000, 0) : NSHarrowen::kBlack);
        }
    }
}

CModuleServicesDouble::CModuleServicesDouble()
{
    SetModuleServices(this);
}

CModuleServicesDouble::~CModuleServicesDouble()
{
    if (GetModuleServices() == this) {
        SetModuleServices(nullptr);
    }
}

std::unique_ptr<CModuleInterface> CModuleServicesDouble::CreateModule(uint8_t typeId) const
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(typeId);
    const auto kind = displayKinds_.find(typeId);
    return std::make_unique<CModuleDouble>(builder, kind == displayKinds_.end() ? 0 : kind->second);
}

size_t CModuleServicesDouble::GetTabCount() const
{
    return GetSharedModuleCatalogue().GetTabCount();
}

std::string CModuleServicesDouble::GetTabName(size_t tab) const
{
    return GetSharedModuleCatalogue().GetTabName(tab);
}

std::vector<uint8_t> CModuleServicesDouble::GetTabTypes(size_t tab) const
{
    return GetSharedModuleCatalogue().GetTabTypes(tab);
}

std::string CModuleServicesDouble::GetTypeName(uint8_t typeId) const
{
    const CBuildModule* builder = GetSharedModuleCatalogue().FindBuilder(typeId);
    return builder ? builder->GetShortName() : std::string();
}

std::unique_ptr<CCableRenderListInterface> CModuleServicesDouble::CreateCableRenderer() const
{
    return std::make_unique<CCableRenderDouble>();
}

} // namespace testsupport
