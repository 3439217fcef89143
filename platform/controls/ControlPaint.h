#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/windows/WindowPaint.h"

#include <memory>
#include <string_view>

// Drawing in the classic desktop look, shared by the controls, the dialogs
// and the framework's edge functions.
namespace platform {

// Edges: a raised or sunken two-pixel bevel, an etched groove; flags choose
// the sides. Soft edges use the light colour outside.
namespace edge {
inline constexpr unsigned RaisedOuter = 0x1;
inline constexpr unsigned SunkenOuter = 0x2;
inline constexpr unsigned RaisedInner = 0x4;
inline constexpr unsigned SunkenInner = 0x8;
inline constexpr unsigned Raised = RaisedOuter | RaisedInner;
inline constexpr unsigned Sunken = SunkenOuter | SunkenInner;
inline constexpr unsigned Etched = SunkenOuter | RaisedInner;
inline constexpr unsigned Left = 0x1;
inline constexpr unsigned Top = 0x2;
inline constexpr unsigned Right = 0x4;
inline constexpr unsigned Bottom = 0x8;
inline constexpr unsigned Rect = 0xF;
inline constexpr unsigned Soft = 0x1000;
} // namespace edge

void DrawEdge(DeviceContext& dc, const IntRect& rect, unsigned edgeKind, unsigned sides);

Rgb SystemRgb(int index); // a SystemColor index, as 0x00RRGGBB
void Fill(DeviceContext& dc, const IntRect& rect, Rgb color);
void FrameOutline(DeviceContext& dc, const IntRect& rect, Rgb color);
void DottedFocusFrame(DeviceContext& dc, const IntRect& rect);

enum class ArrowDirection { Up, Down, Left, Right };
// A small filled triangle centred in the rectangle.
void DrawArrow(DeviceContext& dc, const IntRect& rect, ArrowDirection direction, Rgb color);
// The classic check mark, in a 13-pixel box.
void DrawCheckMark(DeviceContext& dc, int x, int y, Rgb color);
// A round radio box of 12 pixels at (x, y); with the dot when checked.
void DrawRadioBox(DeviceContext& dc, int x, int y, bool checked, bool enabled);
// A pushed or raised button face.
void DrawButtonFace(DeviceContext& dc, const IntRect& rect, bool pushed, bool isDefault);

// Text in the controls' font; disabled text is embossed in grey.
const std::shared_ptr<const Font>& ControlFont();
void DrawControlText(DeviceContext& dc, IntRect rect, std::string_view text, unsigned flags, bool enabled, Rgb color);

// A control's paint: the device context on its client area, whole.
class ControlPaint {
public:
    explicit ControlPaint(WindowHandle window);
    ~ControlPaint();
    ControlPaint(const ControlPaint&) = delete;
    ControlPaint& operator=(const ControlPaint&) = delete;

    bool IsValid() const { return dc_ != nullptr; }
    DeviceContext& DC() { return *dc_; }
    const IntRect& Client() const { return client_; }

private:
    WindowHandle window_;
    PaintContext paint_;
    std::unique_ptr<DeviceContext> dc_;
    IntRect client_;
};

} // namespace platform
