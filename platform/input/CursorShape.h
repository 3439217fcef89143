#pragma once

namespace platform {

// The pointer shapes the desktop can show.
enum class CursorShape { Arrow, Wait, IBeam, Cross, Hand, SizeNWSE, SizeNESW, SizeWE, SizeNS, SizeAll, No };

} // namespace platform
