#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/controls/EventLatch.h"
#include "framework/views/GroupView.h"
#include "framework/lists/ListBoxData.h"

#include <memory>
#include <vector>

namespace NSHarrowen {

class CScrollBarView;
class CListBoxView;

// The rows of a list box: drawn from a cache of the visible rows, so that
// only what changed is painted again.
class CListBoxGridView : public CView {
public:
    CListBoxGridView(CListBoxView* list);
    void Draw() override;
    void UpdateDisplay() override;
    void FrameChanged(const CRect& oldFrame, const CRect& newFrame) override;
    void MouseDown(const CEvent& event) override;

    int32_t GetFirstRow() const { return firstRow_; }
    void SetFirstRow(int32_t row) { firstRow_ = row; }
    void SetFocused(bool focused) { focused_ = focused; }
    void InvalidateAll() { redrawAll_ = true; }
    int32_t RowHeight() const;
    int32_t VisibleRows() const;
    int32_t RowAt(CPoint point) const;
    CRect RowRect(int32_t row) const;

private:
    CListBoxView* list_;
    CListBoxData cache_;
    int32_t firstRow_ = 0;
    int32_t drawnFirstRow_ = 0;
    bool redrawAll_ = true;
    bool drawnFocused_ = false;
    bool focused_ = false;
};

// The column titles above the rows.
class CListBoxTitleView : public CView {
public:
    explicit CListBoxTitleView(CListBoxView* list);
    void Draw() override;
    void UpdateDisplay() override;

private:
    CListBoxView* list_;
    bool shownEnabled_ = true;
};

// A multi-column list with a title row, row selection by mouse and keyboard
// and a vertical scroll bar. The content belongs to the owner, who takes the
// selection requests and applies them.
class CListBoxView : public CGroupView {
public:
    CListBoxView(CGroupView* parent, const CDialogItem& item, CListBoxData* data);
    ~CListBoxView() override;

    // Selects one row (65535: none), scrolls to it and makes it the anchor.
    void SelectRow(uint16_t row);
    // The row of a request once: 65535 for a clearing request.
    bool TakeSelection(uint16_t& row);
    bool TakeRequest(CListBoxRequest& request) { return request_.Take(request); }
    // Applies a request to the content the way the list expects.
    void ApplyRequest(const CListBoxRequest& request);
    void SetColumnWidth(uint16_t column, int16_t width);
    void Invalidate();

    CListBoxData* GetData() const { return data_; }
    const std::vector<int16_t>& GetColumnEdges() const { return edges_; }
    CListBoxGridView* GetGrid() const { return grid_; }
    CScrollBarView* GetScrollBar() const { return bar_; }
    bool HasListFocus() const { return focused_; }
    int32_t GreatestFirstRow() const;

    void LayoutChildren() override;
    void MouseDown(const CEvent& event) override;
    void ForwardKey(const CKeyEvent& event) override;
    void UpdateState() override;
    void UpdateDisplay() override;
    void DrawBackground() override;
    void FocusGained() override;
    void FocusLost() override;
    void InvalidateOnResize(const CRect& oldFrame, const CRect& newFrame) override;

private:
    friend class CListBoxGridView;
    void Publish(const CListBoxRequest& request);
    void ScrollToShow(int32_t row);

    CListBoxData* data_;
    std::vector<int16_t> edges_;
    CListBoxGridView* grid_;
    CListBoxTitleView* title_;
    CScrollBarView* bar_;
    bool shownEnabled_ = true;
    bool focused_ = false;
    bool shownFocused_ = false;
    CEventLatch<CListBoxRequest> request_;
    int32_t anchor_ = kNoRow;
    int32_t current_ = kNoRow;
};

} // namespace NSHarrowen
