#pragma once

#include "platform/windows/Message.h"

// The multiple-document interface: a frame window holds one MDI client (a
// child of class kMdiClientClass that the layer implements), and the client
// holds the document windows, whose captions and borders the layer draws and
// whose activation, moving, sizing, cascading, tiling, maximising and
// restoring it manages. Messages to the client: msg::MdiActivate (child),
// msg::MdiDestroy (child), msg::MdiGetActive, msg::MdiMaximize (child),
// msg::MdiRestore (child), msg::MdiNext (child or 0, 1 for the previous),
// msg::MdiCascade, msg::MdiTile (kTileVertical or kTileHorizontal).
namespace platform {

// The default handling of a frame that holds an MDI client.
LResult DefFrameProc(WindowHandle frame, WindowHandle client, uint32_t message, WParam wParam, LParam lParam);
// The default handling of a document window.
LResult DefMdiChildProc(WindowHandle child, uint32_t message, WParam wParam, LParam lParam);

} // namespace platform
