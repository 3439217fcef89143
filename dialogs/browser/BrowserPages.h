#pragma once

#include "framework/views/PagedGroupView.h"

#include <cstdint>
#include <filesystem>

class CScrollFlashListView;
class CScrollHardDriveView;

// The browser's two pages, the disk page (0) and the synth page (1); a page
// change asked for shows in the next display pass.
class CBrowserPages final : public NSHarrowen::CPagedGroupView {
public:
    CBrowserPages(NSHarrowen::CGroupView* parent, std::filesystem::path diskTop);

    void SelectPage(int16_t index);
    int16_t GetRequestedPage() const { return requestedPage_; }
    // The bar's buttons work on the disk page only.
    void GoUp();
    void Refresh();
    CScrollHardDriveView* GetDiskPage() const { return diskPage_; }
    CScrollFlashListView* GetSynthPage() const { return synthPage_; }

    void UpdateDisplay() override;

private:
    CScrollHardDriveView* diskPage_;
    CScrollFlashListView* synthPage_;
    int16_t requestedPage_ = 0;
    int16_t shownPage_ = 0;
};
