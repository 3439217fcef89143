#pragma once

#include "framework/views/GroupView.h"
#include "panels/panel/ControlContainerInterface.h"
#include "panels/panel/CustomContainerInterface.h"
#include "panels/panel/HoleContainerInterface.h"
#include "panels/items/ParentCast.h"

#include <cstdint>
#include <string>

class CBuildModule;
class CPatch;
class CPatchBackground;

// The view of one module in a voice area: a tile of the area's grid (256
// pixels wide, 15 per height unit) showing the type's face picture inside a
// 3-pixel border, the module's name in a title strip at the top left, and
// the panel items as child views. It takes part in selection, module drags,
// renaming and the module menu. It declares the three container interfaces
// its items talk to; CModule implements them.
class CPanel : public NSHarrowen::CGroupView,
               public CControlContainerInterface,
               public CCustomContainerInterface,
               public CHoleContainerInterface {
public:
    static constexpr int16_t kWidth = 256;
    static constexpr int16_t kRowHeight = 15;
    static constexpr int16_t kBorder = 3;
    static constexpr size_t kMaxNameLength = 16;
    // The title strip and the rectangle the name is drawn in.
    static constexpr int16_t kTitleWidth = 84;
    static constexpr int16_t kTitleHeight = 13;
    // Border strips: top, bottom, left, right.
    static constexpr uint16_t kBorderTop = 257;
    static constexpr uint16_t kBorderBottom = 258;
    static constexpr uint16_t kBorderLeft = 255;
    static constexpr uint16_t kBorderRight = 256;
    // Module menu commands.
    static constexpr uint32_t kCommandRename = 1010;
    static constexpr uint32_t kCommandHelp = 1011;
    static constexpr uint32_t kCommandDelete = 1012;

    CPanel(NSHarrowen::CGroupView* parent, CBuildModule& builder, uint8_t column, uint8_t row);
    ~CPanel() override;

    CPatchBackground* GetPatchBackground() const;
    // Null while the panel is in no area.
    CPatch* GetPatch() const;
    const CBuildModule& GetBuilder() const { return builder_; }
    CBuildModule& GetBuilder() { return builder_; }

    int16_t GetPixelX() const { return static_cast<int16_t>(column_ * kWidth); }
    int16_t GetPixelY() const { return static_cast<int16_t>(row_ * kRowHeight); }
    void SetGridPosition(uint8_t column, uint8_t row);
    uint8_t GetColumn() const { return column_; }
    uint8_t GetRow() const { return row_; }
    void SetHeight(uint8_t units);
    uint8_t GetHeightUnits() const { return height_; }
    // A window point in area coordinates.
    NSHarrowen::CPoint ToAreaPoint(NSHarrowen::CPoint point) const;

    // Stores the name cleaned (characters outside space..'}' dropped) and
    // cut to 16 characters; a name that needed either is then reported as
    // XPOutOfRange "Invalid module name", the cleaned name staying stored.
    void SetName(const std::string& name);
    const std::string& GetName() const { return name_; }
    uint8_t GetModuleIndex() const { return moduleIndex_; }
    void SetModuleIndex(uint8_t index) { moduleIndex_ = index; }
    int32_t GetLocation() const { return location_; }
    void SetLocation(int32_t location) { location_ = location; }
    bool IsSelected() const { return selected_; }
    void SetSelected(bool selected);
    // Asks for a new name and sends it; not undoable.
    void Rename();

    NSHarrowen::CRect GetTitleRect() const;

    // Presses on the panel body, the second press of a double click, and a
    // double click on the title strip. Points in window coordinates.
    virtual void OnMouseDown(NSHarrowen::CPoint where);
    virtual void OnDoubleClick(NSHarrowen::CPoint where);
    virtual void OnTitleClick();

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The end of a press whose module drag held the mouse.
    void MouseUp() override;
    void Draw() override;
    void DrawBackground() override;
    void UpdateDisplay() override;
    void ContextClick(NSHarrowen::CPoint where) override;
    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;
    void ParentChanged() override { area_.Reset(); }

private:
    bool DispatchToItems(NSHarrowen::CPoint where, bool doubleClick);
    void ShowPanelMenu(NSHarrowen::CPoint where);

    CBuildModule& builder_;
    CParentCast<CPatchBackground> area_;
    bool needsFullRedraw_ = true;
    uint8_t column_;
    uint8_t row_;
    uint8_t height_ = 2;
    bool selected_ = false;
    bool drawnSelection_ = false;
    uint8_t moduleIndex_ = 0;
    int32_t location_ = 1;
    std::string name_ = "No Name";
    bool nameChanged_ = false;
};
