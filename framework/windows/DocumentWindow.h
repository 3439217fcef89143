#pragma once

#include "framework/windows/ABCWindow.h"

#include <string>

namespace NSHarrowen {

// A document window inside the frame's MDI client. Frame styles: 0 caption
// with a minimise box, 1 caption with context help, 2 sizable with minimise
// and maximise boxes, 3 sizable with a minimise box; 2 and 3 have a size box.
class CDocumentWindow : public CABCWindow {
public:
    CDocumentWindow(int frameStyle, const std::string& title);

    int GetBorderWidth() const override;
    int GetBorderHeight() const override;
    bool IsMaximized() const;

    static uint32_t WindowStyleFor(int frameStyle);

private:
    int frameStyle_;
};

} // namespace NSHarrowen
