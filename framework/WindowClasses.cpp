#include "framework/WindowClasses.h"

namespace NSHarrowen {

namespace {
bool registered = false;
}

// The window layer registers the classes' procedures once it is there.
void RegisterWindowClasses() { registered = true; }
void UnregisterWindowClasses() { registered = false; }
bool AreWindowClassesRegistered() { return registered; }

} // namespace NSHarrowen
