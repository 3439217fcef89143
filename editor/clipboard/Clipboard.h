#pragma once

#include "panels/dragdrop/DragDrop.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace NSHarrowen {
class CGroupView;
class CView;
} // namespace NSHarrowen
class CModuleClip;
class CModuleSelection;
class CPatch;
class CPatchBackground;

// The editor's own clipboard for modules, and the view that drags modules
// into a voice area. It keeps what Edit Copy and Cut stored and runs every
// module drag: the selected modules of a patch (moved, or copied with
// Control or into another area), the stored copy (Edit Paste), and a new
// module from the toolbar or an area's menu. While a drag runs it outlines
// the dragged modules over the voice area under the mouse, scrolls the area
// near its edges, shows by its cursor whether a release moves, copies or
// does nothing, and turns the release into one undoable edit of the patch.
// The drag runs in the active patch's window; the voice areas of every
// patch window are its drop targets.
class CClipboard final : public CDragDrop<CPatchBackground*, NSHarrowen::CView*, NSHarrowen::CGroupView*> {
public:
    // Cursors: a copying drop, and a drop that does nothing.
    static constexpr uint32_t kCopyCursor = 156;
    static constexpr uint32_t kNoDropCursor = 158;
    static constexpr uint32_t kAlertNotEnoughMemory = 500128006;

    enum EKind : uint8_t { kNewModule = 0, kPaste = 1, kSelection = 2 };

    CClipboard();
    ~CClipboard() override;

    // Edit Copy (and Cut, before it deletes): the patch's selected modules
    // and the cables among them replace the stored copy.
    void StoreCopy(const CPatch& patch);
    // No stored copy, or one without modules.
    bool IsEmpty() const;
    // Edit Paste: the stored copy follows the mouse at once, held at its
    // centre, until the button goes up.
    void BeginPaste(NSHarrowen::CView* source);
    // A module panel starts moving the patch's selected modules, held where
    // the mouse pressed; the drag starts once the mouse moved 5 pixels.
    void BeginDragFromPanel(NSHarrowen::CView* source, CPatch& patch);
    // For the toolbar's module buttons: call it from the button's mouse-down
    // with the button as source and the module type id of the button (as in
    // the module type tables). A new module of that type then follows the
    // mouse, held at its centre, once the mouse moved 5 pixels; releasing it
    // over a voice area of the active patch's window adds it there (one
    // undoable edit, its name numbered to be unique in the area). The
    // button is told the drag ended by its MouseUp. Nothing starts without
    // an active patch window or for an unknown type.
    void BeginDragFromToolbar(NSHarrowen::CView* source, uint8_t typeId);
    // The same from a voice area's menu: the drag starts at once.
    void BeginDragNewModule(NSHarrowen::CView* source, uint8_t typeId);

    // The voice areas of each patch window, added as it opens and removed
    // as it closes (a drag in that window ends).
    void AddTarget(CPatchBackground& area);
    void RemoveTarget(CPatchBackground& area);

    EKind GetKind() const { return kind_; }
    bool IsMoveMode() const;

    // Ends a running drag without a drop.
    void Cancel() override;

    // CDragDrop.
    void DragEnter(CPatchBackground* target, NSHarrowen::CPoint where) override;
    void DragLeave(CPatchBackground* target) override;
    void DragOver(CPatchBackground* target, NSHarrowen::CPoint where) override;
    void TrackFeedback() override;
    void Drop(CPatchBackground* target) override;
    void GetDropCursor() override;
    void GetCursor() override;
    void ForwardKey(const NSHarrowen::CKeyEvent& event) override;

    // The area's scroll moves the content under the outlines: they go
    // before it and come back where the block now lies in the content.
    void AreaWillScroll(const CPatchBackground& area);
    void AreaDidScroll(CPatchBackground& area);

protected:
    bool IsActive() const override;

private:
    // Kinds 0 and 2 drag a clip of their own; armed at once or after the
    // threshold.
    void Begin(NSHarrowen::CView* source, EKind kind, bool armed, bool tellSource);
    void BeginNew(NSHarrowen::CView* source, uint8_t typeId, bool armed);
    const CModuleClip* SourceClip() const;
    // The working clip fitted to the target (not in move mode).
    void PrepareWorkingClip(CPatchBackground& target);
    void PlaceBlock(CPatchBackground& target, NSHarrowen::CPoint where);
    void DrawOutlines(const CPatchBackground& target);
    // Inverts the drawn outlines again.
    void RedrawOutlines(const CPatchBackground& area);
    void EraseOutlines();
    void Reprepare();
    void ExecuteDrop(CPatchBackground& target);
    // Top left of the source clip's modules, in pixels of its own grid.
    NSHarrowen::CPoint ClipOrigin() const;
    void Finish();

    EKind kind_ = kNewModule;
    std::unique_ptr<CModuleClip> stored_;
    std::unique_ptr<CModuleClip> dragClip_;
    std::unique_ptr<CModuleClip> working_;
    // The area the dragged selection came from (kind 2).
    CPatchBackground* origin_ = nullptr;
    // Where in the block the mouse holds it, and the block's top left in the
    // target's content (pixels).
    NSHarrowen::CPoint grab_;
    NSHarrowen::CPoint block_;
    bool fitted_ = false;
    bool dropping_ = false;
    bool controlDown_ = false;
    // The rectangles inverted on the screen now, with their area.
    std::vector<NSHarrowen::CRect> outlines_;
    const CPatchBackground* outlineArea_ = nullptr;
};

// The editor's one module clipboard (null before the editor starts).
CClipboard* GetModuleClipboard();
void SetModuleClipboard(CClipboard* clipboard);
