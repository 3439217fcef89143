#pragma once

#include "framework/views/ScrollView.h"

#include <cstdint>
#include <list>
#include <memory>

struct CListItem;
class CLVItemView;

// A one-column list of rows of 19 pixels, each an icon and a text, that
// owns its records and row views and turns clicks into three operations:
// a double click activates a row, a right click on a row or below the rows
// is a context click. The concrete lists give the operations their meaning.
class CListView : public NSHarrowen::CScrollView {
public:
    static constexpr int16_t kRowHeight = 19;

    explicit CListView(NSHarrowen::CGroupView* parent);
    ~CListView() override;

    void AddRowWithIconResource(std::unique_ptr<CListItem> record, uint32_t iconResource);
    void RemoveAllRows();
    // Ascending by text, byte by byte; rows of equal texts keep their order.
    void SortRowsByText();
    // The rows of `first` before the others, each part ascending by text.
    void SortRowsByText(bool (*first)(const CListItem&));
    void SelectRow(CLVItemView* row);
    void ClearSelection();
    CListItem* FindRecord(const CLVItemView* row) const;
    CLVItemView* GetSelectedRow() const { return selected_; }
    int32_t GetContentHeight() const { return contentHeight_; }
    size_t GetRowCount() const { return items_.size(); }
    const std::list<std::unique_ptr<CListItem>>& GetItems() const { return items_; }

    virtual void OnRowActivated(CListItem& record) { (void)record; }
    virtual void OnRowContextClick(CListItem& record, NSHarrowen::CPoint where)
    {
        (void)record;
        (void)where;
    }
    virtual void OnBackgroundContextClick(NSHarrowen::CPoint where) { (void)where; }

    // From a row view.
    void RowPressed(CLVItemView& row, bool doubleClick);
    void RowContextClicked(CLVItemView& row, NSHarrowen::CPoint where);

    void LayoutChildren() override;
    void ContextClick(NSHarrowen::CPoint where) override;
    // The wait cursor while the current synthesizer waits for an answer,
    // which holds every action of both lists.
    void GetCursor() override;

private:
    std::list<std::unique_ptr<CListItem>> items_;
    CLVItemView* selected_ = nullptr;
    int32_t contentHeight_ = 0;
};
