#pragma once

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/windows/DocumentWindow.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "tests/support/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// A headless desktop with an application, its shown 800 x 600 frame and the
// frame's MDI client. Every framework window still open at the end is deleted.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<NSHarrowen::CApplication>("Test Application");
        const platform::WindowHandle frame = app->CreateFrameWindow();
        platform::MoveWindow(frame, {0, 0, 800, 600}, true);
        platform::ShowWindow(frame, platform::ShowCommand::Show);
        desktop.Host().SetApplicationFocus(true);
        Pump();
    }

    void TearDown() override
    {
        while (NSHarrowen::CountWindows() > 0)
            delete NSHarrowen::GetWindowAt(0);
        app.reset();
    }

    // Dispatches everything waiting, as the run loop would.
    void Pump() { app->PumpWaiting(100000); }

    // A shown document window whose client area is the given size.
    NSHarrowen::CDocumentWindow* OpenDocument(int16_t width = 200, int16_t height = 150, int frameStyle = 0)
    {
        auto* w = new NSHarrowen::CDocumentWindow(frameStyle, "Document");
        w->Open(w->GetRectForContentSize(width, height));
        Pump();
        return w;
    }

    platform::Point ScreenPoint(const NSHarrowen::CABCWindow* w, int x, int y)
    {
        return platform::ClientToScreen(w->GetHandle(), {x, y});
    }

    void Click(const NSHarrowen::CABCWindow* w, int x, int y)
    {
        desktop.Host().Click(ScreenPoint(w, x, y));
        Pump();
    }

    HeadlessDesktop desktop;
    std::unique_ptr<NSHarrowen::CApplication> app;
};

} // namespace testsupport
