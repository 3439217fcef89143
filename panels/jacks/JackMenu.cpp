#include "panels/jacks/JackMenu.h"

#include "framework/views/View.h"
#include "panels/jacks/PnlHole.h"
#include "patch/document/Patch.h"

CJackMenu::CJackMenu()
    : colours_(std::make_unique<CContextMenu>("Cable Colors",
                                              std::initializer_list<CContextMenu::Entry>{{"Audio", 1030},
                                                                                         {"Control", 1031},
                                                                                         {"Logic", 1032},
                                                                                         {"Slave", 1033},
                                                                                         {"", 0},
                                                                                         {"User1", 1034},
                                                                                         {"User2", 1035}})),
      connector_(std::make_unique<CContextMenu>("Connector",
                                                std::initializer_list<CContextMenu::Entry>{{"Disconnect", kDisconnect},
                                                                                           {"Break", kBreak},
                                                                                           {"", 0},
                                                                                           {"Color", kColor},
                                                                                           {"", 0},
                                                                                           {"Delete", kDelete}}))
{
    NSHarrowen::CMenu* menu = nullptr;
    int index = 0;
    if (connector_->FindCommand(kColor, menu, index)) {
        menu->SetItemSubmenu(index, colours_.get());
    }
}

// The connector menu refers to the colour menu: it goes first.
CJackMenu::~CJackMenu()
{
    connector_.reset();
}

void CJackMenu::TrackAndExecute(const CPnlHole& hole, CPatch& patch, uint8_t area, const NSHarrowen::CView& view,
                                NSHarrowen::CPoint where)
{
    const bool connected = hole.IsConnected();
    const JackAddress jack = hole.GetJackAddress();
    connector_->EnableCommand(kBreak, connected && !hole.IsLeaf());
    connector_->EnableCommand(kDisconnect, connected);
    connector_->EnableCommand(kDelete, connected);
    connector_->EnableCommand(kColor, connected);
    const bool recolour = connected && hole.IsNetDriven();
    for (uint32_t command = kFirstColour; command <= kLastColour; ++command) {
        connector_->EnableCommand(command, recolour);
    }
    uint32_t command = 0;
    if (!view.TrackPopupMenu(connector_.get(), where, command)) {
        return;
    }
    if (command == kDisconnect) {
        patch.DisconnectConnector(area, jack);
    } else if (command == kBreak) {
        patch.BreakConnector(area, jack);
    } else if (command == kDelete) {
        patch.DeleteConnectorCables(area, jack);
    } else if (command >= kFirstColour && command <= kLastColour) {
        patch.RecolorCables(area, jack, static_cast<uint8_t>(command - kFirstColour));
    }
}
