#pragma once

#include <cstdint>

namespace NSHarrowen {

// The framework's four window classes.
inline constexpr const char* kFrameWindowClass = "Harrowen Frame Window";
inline constexpr const char* kDocumentWindowClass = "Harrowen Document Window";
inline constexpr const char* kModalDialogWindowClass = "Harrowen Modal Dialog Window";
inline constexpr const char* kSplashScreenWindowClass = "Harrowen Splash Screen Window";

// Registers the modal dialog and splash classes, then the frame and document
// classes; a class that cannot be registered throws XBase.
void RegisterWindowClasses();
// Unregisters every registered class (modal dialog, splash, frame, document).
void UnregisterWindowClasses();
bool AreWindowClassesRegistered();

} // namespace NSHarrowen
