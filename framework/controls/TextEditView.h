#pragma once

#include "framework/controls/ControlLogic.h"
#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

enum EEditNotificationKind : int32_t {
    kEditNothing = 34,
    kEditInsertChar = 35,
    kEditPassKey = 36,
    kEditCommit = 37,
};

// What a text edit asks its owner to let happen.
struct CEditNotification {
    int32_t kind = kEditNothing;
    char32_t character = 0; // one whole (Unicode) character
    CKeyEvent key;
};

// A single-line text edit. Typing reaches the owner as notifications (which
// it may drop or change) and the text is stored in the view; the native
// edit shows it. Losing the focus commits.
class CSingleLineTextEditView : public CNativeControlView {
public:
    static constexpr size_t kTextCapacity = 255;

    CSingleLineTextEditView(CGroupView* parent, int32_t maxLength, int32_t returnMode);
    CSingleLineTextEditView(CGroupView* parent, const CDialogItem& item, int32_t maxLength, int32_t returnMode);

    // Ignored while the user edits; cut to the maximum length.
    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }
    // The native text into buffer (size bytes with the terminator).
    void CopyText(char* buffer, size_t size) const;
    void SelectAll();
    bool TakeNotification(CEditNotification& record) { return pending_.Take(record); }
    void ProcessNotification(const CEditNotification& record);
    // True for a commit; any other notification is processed.
    bool TakeCommit();

    bool IsEditing() const override;
    void ForwardKey(const CKeyEvent& event) override;
    void FocusLost() override;
    void UpdateDisplay() override;
    void UpdateMenu(CMenuBar* menuBar) override;
    void DoMenuCommand(uint32_t command, uint32_t menu) override;
    CRect GetOpaqueRect() const override { return NativeRectFor(GetFrame()); }
    CRect NativeRectFor(const CRect& frame) const override;

protected:
    virtual bool NumbersOnly() const { return false; }

private:
    void Init();
    void Publish(const CEditNotification& record);
    bool AtLimit() const;
    std::string Selected() const;
    void ReplaceSelection(const std::string& text);

    int32_t returnMode_;
    std::string text_;
    int32_t maxLength_;
    CEventLatch<CEditNotification> pending_;
};

} // namespace NSHarrowen
