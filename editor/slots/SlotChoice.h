#pragma once

#include <cstdint>
#include <string>

// Where a patch is to live, asked before it is created, opened or moved:
// the caller's request (caption, whether Upload is offered) and the answer
// of the slot selection dialog (how it ended, and the port and slot).
class CSlotChoice {
public:
    enum EResult : int32_t { kOk = 0, kCancel = 1, kUpload = 2, kNotEnded = 3 };
    static constexpr uint8_t kLocal = 4;

    CSlotChoice(std::string caption, bool offerUpload);

    void SetLocal();
    // A port above 4 is taken as Local.
    void SetChoice(uint8_t port, uint8_t slot);
    // For callers that decide without the dialog.
    void ClearResult() { result_ = kOk; }
    void SetResult(int32_t result) { result_ = result; }

    bool IsCancelled() const { return result_ == kCancel; }
    bool IsUpload() const { return result_ == kUpload; }
    bool IsLocal() const { return port_ == kLocal; }
    // The port, at most 3: callers ask IsLocal first.
    uint8_t GetPort() const { return port_ > 3 ? 3 : port_; }
    uint8_t GetSlot() const { return slot_; }
    int32_t GetResult() const { return result_; }
    const std::string& GetCaption() const { return caption_; }
    bool OffersUpload() const { return offerUpload_; }

private:
    std::string caption_;
    int32_t result_ = kNotEnded;
    uint8_t slot_ = 0;
    uint8_t port_ = kLocal;
    bool offerUpload_;
};
