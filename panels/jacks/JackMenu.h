#pragma once

#include "framework/base/Point.h"
#include "panels/menu/ContextMenu.h"

#include <memory>

class CPatch;
class CPnlHole;
namespace NSHarrowen {
class CView;
}

// A jack's context menu: disconnect, break, recolour or delete the cables
// at the jack, each one undoable edit of the patch.
class CJackMenu {
public:
    static constexpr uint32_t kDisconnect = 1021;
    static constexpr uint32_t kBreak = 1022;
    static constexpr uint32_t kDelete = 1024;
    static constexpr uint32_t kColor = 1025;
    static constexpr uint32_t kFirstColour = 1030;
    static constexpr uint32_t kLastColour = 1035;

    CJackMenu();
    ~CJackMenu();
    CJackMenu(const CJackMenu&) = delete;
    CJackMenu& operator=(const CJackMenu&) = delete;

    // Enables what applies to the jack, shows the menu at `where` of the
    // module's view and carries out the choice in the jack's voice area.
    void TrackAndExecute(const CPnlHole& hole, CPatch& patch, uint8_t area, const NSHarrowen::CView& view,
                         NSHarrowen::CPoint where);

private:
    std::unique_ptr<CContextMenu> colours_;
    std::unique_ptr<CContextMenu> connector_;
};
