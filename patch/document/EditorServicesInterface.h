#pragma once

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CFileSpec;
}

class CPatch;
class CPatchBackground;

// The patch window as its document sees it.
class CPatchWindowInterface {
public:
    virtual ~CPatchWindowInterface() = default;

    virtual void BringToFront() = 0;
    virtual void Close() = 0;
    // Redraws what changed and shows the document's title.
    virtual void Refresh() = 0;
    virtual void NotifySplitter() = 0;
    // The split between the two areas changed.
    virtual void RelayoutAreas() = 0;
};

// What the patch document needs of the editor application and its windows.
// The editor provides it; without one installed a document has no window
// and shows nothing.
class CEditorServicesInterface {
public:
    virtual ~CEditorServicesInterface() = default;

    // A new window over the document's two areas (area 1, then area 0).
    virtual CPatchWindowInterface* OpenPatchWindow(CPatch& patch, uint32_t argument) = 0;
    // The toolbar shows morph group knobs (the default focus).
    virtual bool HasMorphEntries() const = 0;
    // Shown from idle (a failed edit's out-of-memory alert).
    virtual void PostDeferredAlert(uint32_t alertId) = 0;
    // Shown at once with its "^0" filled.
    virtual void ShowAlert(uint32_t alertId, const std::string& argument) = 0;
    // An alert script shown at once, its "%s" filled with the text.
    virtual void ShowAlertScript(const std::string& script, const std::string& text) = 0;
    // The save dialog for a patch; false when the user cancels.
    virtual bool AskSaveFile(const std::string& defaultName, NSHarrowen::CFileSpec& chosen) = 0;
    virtual uint32_t GetCableStyle() const = 0;
    // Starts dragging the document's selected modules (the module drag view).
    virtual void BeginDragSelection(CPatch& patch) = 0;
    // Cancels a module drag of the module drag view.
    virtual void CancelModuleDrag() = 0;
    virtual void BeginDragNewModule(CPatchBackground& area, uint8_t typeId) = 0;
    // The area is about to scroll, and has scrolled: a module drag's
    // outlines over it go before and come back after.
    virtual void AreaWillScroll(CPatchBackground&) { }
    virtual void AreaDidScroll(CPatchBackground&) { }
    virtual void ReplaceWithEmptyPatch(CPatch& patch) = 0;
    virtual void MovePatchToSlot(uint8_t port, uint8_t slot, CPatch& patch) = 0;
};

void SetEditorServices(CEditorServicesInterface* services);
// Null until installed.
CEditorServicesInterface* GetEditorServices();
