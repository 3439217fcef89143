#include "editor/slots/SlotChoice.h"

CSlotChoice::CSlotChoice(std::string caption, bool offerUpload)
    : caption_(std::move(caption)), offerUpload_(offerUpload)
{ }

void CSlotChoice::SetLocal()
{
    port_ = kLocal;
    slot_ = 0;
}

void CSlotChoice::SetChoice(uint8_t port, uint8_t slot)
{
    port_ = port > kLocal ? kLocal : port;
    slot_ = slot;
}
