#include "patch/document/ModuleCursor.h"

#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"

CModuleCursor::CModuleCursor(const CPatch& document) : document_(&document) { }

CModuleCursor::CModuleCursor(const CPatch& document, const ParamAddress& address)
    : document_(&document), location_(address.location)
{
    if (location_ == 2) {
        entry_ = address.param > kNoMorphEntry ? kNoMorphEntry : address.param;
    } else if (const CPatchBackground* area = document_->GetArea(location_)) {
        module_ = area->FindModule(address.module);
        param_ = address.param;
    }
}

bool CModuleCursor::IsAtEnd() const
{
    return location_ == 2 ? entry_ >= kNoMorphEntry : module_ == nullptr;
}

ParamAddress CModuleCursor::GetAddress() const
{
    if (location_ == 2) {
        return ParamAddress{2, 1, entry_};
    }
    return ParamAddress{location_, module_ == nullptr ? uint8_t{0} : module_->GetModuleIndex(), param_};
}

void CModuleCursor::MoveUp()
{
    if (module_ != nullptr) {
        MoveToModule(document_->GetArea(location_)->FindModuleAbove(*module_));
    }
}

void CModuleCursor::MoveDown()
{
    if (module_ != nullptr) {
        MoveToModule(document_->GetArea(location_)->FindModuleBelow(*module_));
    }
}

void CModuleCursor::MoveLeft()
{
    if (module_ != nullptr) {
        MoveToModule(document_->GetArea(location_)->FindModuleLeft(*module_));
    }
}

void CModuleCursor::MoveRight()
{
    if (module_ != nullptr) {
        MoveToModule(document_->GetArea(location_)->FindModuleRight(*module_));
    }
}

void CModuleCursor::MoveToModule(CModuleInterface* module)
{
    if (module != module_) {
        module_ = module;
        param_ = 0;
    }
}

void CModuleCursor::NextParam()
{
    if (module_ != nullptr && module_->GetParamCount() != 0) {
        param_ = module_->NextParam(param_);
    } else if (location_ == 2 && entry_ < kNoMorphEntry) {
        entry_ = static_cast<uint8_t>((entry_ + 1) % kMorphEntries);
    }
}

void CModuleCursor::PreviousParam()
{
    if (module_ != nullptr && module_->GetParamCount() != 0) {
        param_ = module_->PreviousParam(param_);
    } else if (location_ == 2 && entry_ < kNoMorphEntry) {
        entry_ = static_cast<uint8_t>((entry_ + kMorphEntries - 1) % kMorphEntries);
    }
}

bool CModuleCursor::AreaHasModules(int32_t location) const
{
    const CPatchBackground* area = document_->GetArea(location);
    return area != nullptr && !area->GetModules().IsEmpty();
}

void CModuleCursor::MoveToLocation(int32_t location)
{
    location_ = location;
    entry_ = 0;
    param_ = 0;
    module_ = nullptr;
    if (location != 2) {
        module_ = document_->GetArea(location)->GetModules().At(0);
    }
}

void CModuleCursor::NextArea()
{
    if (IsAtEnd()) {
        return;
    }
    if (location_ == 0) {
        MoveToLocation(AreaHasModules(1) ? 1 : 2);
    } else if (location_ == 1) {
        MoveToLocation(2);
    }
}

void CModuleCursor::PreviousArea()
{
    if (IsAtEnd() || location_ == 0) {
        return;
    }
    if (location_ == 2) {
        if (AreaHasModules(1)) {
            MoveToLocation(1);
        } else if (AreaHasModules(0)) {
            MoveToLocation(0);
        }
    } else if (AreaHasModules(0)) {
        MoveToLocation(0);
    }
}
