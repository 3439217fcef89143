#include "editor/floaters/FloaterCommands.h"

#include "editor/app/EditorCommands.h"
#include "editor/floaters/DialogNotes.h"
#include "editor/floaters/KeyboardFloater.h"
#include "editor/floaters/KnobFloater.h"
#include "editor/floaters/WindowToggler.h"
#include "platform/base/DroppedExceptions.h"

#include <vector>

namespace {

// What the application does with one floater class.
struct FloaterEntry {
    uint32_t command;
    NSHarrowen::CABCWindow* (*get)();
    void (*open)();
    bool (*wasOpen)();
    void (*setWasOpen)(bool);
};

template <typename T> FloaterEntry Entry(uint32_t command)
{
    return {command, [] { return static_cast<NSHarrowen::CABCWindow*>(CWindowToggler<T>::Get()); },
            [] { CWindowToggler<T>::Open(); }, &T::WasOpen, &T::SetWasOpen};
}

// In the order they reopen at start.
const std::vector<FloaterEntry>& Entries()
{
    static const std::vector<FloaterEntry> entries{
        Entry<CKeyboardFloater>(editorcommands::kKeyboardFloater),
        Entry<CKnobFloater>(editorcommands::kKnobFloater),
        Entry<CDialogNotes>(editorcommands::kNotesFloater),
    };
    return entries;
}

const FloaterEntry* Find(uint32_t command)
{
    for (const FloaterEntry& entry : Entries())
        if (entry.command == command)
            return &entry;
    return nullptr;
}

// A floater asked to close stays until the next idle step: it counts as closed.
NSHarrowen::CABCWindow* Living(const FloaterEntry& entry)
{
    NSHarrowen::CABCWindow* window = entry.get();
    return window && !window->IsMarkedForDeletion() ? window : nullptr;
}

} // namespace

bool CFloaterCommands::Handles(uint32_t command)
{
    return Find(command) != nullptr;
}

void CFloaterCommands::Toggle(uint32_t command)
{
    const FloaterEntry* entry = Find(command);
    if (!entry)
        return;
    if (NSHarrowen::CABCWindow* window = Living(*entry))
        window->RequestClose();
    else if (!entry->get())
        entry->open();
}

bool CFloaterCommands::IsOpen(uint32_t command)
{
    const FloaterEntry* entry = Find(command);
    return entry && Living(*entry);
}

void CFloaterCommands::ReopenFromPreferences()
{
    for (const FloaterEntry& entry : Entries()) {
        if (!entry.wasOpen())
            continue;
        try {
            entry.open();
        } catch (...) {
            // The others still open; this one stays closed.
            platform::RecordDroppedException("reopening a floater");
        }
    }
}

void CFloaterCommands::RecordOpenFlags()
{
    for (const FloaterEntry& entry : Entries())
        entry.setWasOpen(Living(entry) != nullptr);
}

void CFloaterCommands::CloseAll()
{
    for (const FloaterEntry& entry : Entries())
        delete entry.get();
}
