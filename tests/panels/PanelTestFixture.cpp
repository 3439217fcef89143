#include "tests/panels/PanelTestFixture.h"

#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/JPEGReader.h"
#include "framework/images/PixelFormat.h"
#include "framework/views/View.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/painters/PictureKeys.h"
#include "panels/panel/Module.h"
#include "patch/area/PatchBackground.h"
#include "patch/edit/UndoHistory.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "resources/PictureResources.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/protocol/ModuleTypeInfo.h"

#include <algorithm>

namespace paneltest {

using NSHarrowen::CPoint;

CPictureSource::CPictureSource()
{
    NSHarrowen::SetImageSource(this);
}

CPictureSource::~CPictureSource()
{
    NSHarrowen::SetImageSource(nullptr);
}

NSHarrowen::CABCBitmap* CPictureSource::GetImage(const NSHarrowen::CImageID& id)
{
    const auto key = std::make_pair(id.GetResource(), id.GetWord(1));
    if (auto it = cache_.find(key); it != cache_.end()) {
        return it->second.get();
    }
    const char* type = id.GetWord(1) == PictureKind::kSymbol ? "SMTB"
        : id.GetWord(1) == PictureKind::kStrip               ? "CBMP"
                                                             : "JPEG";
    const auto bytes = ::PictureResources().Find(type, id.GetResource());
    if (!bytes) {
        return nullptr;
    }
    NSHarrowen::CMemoryMedia media(*bytes);
    std::unique_ptr<NSHarrowen::CABCBitmap> bitmap;
    if (std::string(type) == "JPEG") {
        bitmap = NSHarrowen::ReadJPEG(NSHarrowen::CPixelFormat(32), media);
    } else {
        bitmap = NSHarrowen::ReadBMP(media);
    }
    NSHarrowen::CABCBitmap* result = bitmap.get();
    cache_[key] = std::move(bitmap);
    return result;
}

bool CPanelServicesDouble::AskPanelName(const CPanel&, std::string& name)
{
    ++nameQuestions;
    if (nameAnswers.empty()) {
        return false;
    }
    name = nameAnswers.front();
    nameAnswers.erase(nameAnswers.begin());
    return true;
}

int CPanelServicesDouble::RunMidiControllerDialog(const CPatch&, uint8_t current, uint8_t& chosen)
{
    controllerShown = current;
    chosen = controllerChoice;
    return controllerResult;
}

void PanelTest::SetUp()
{
    WindowTest::SetUp();
    InstallSharedModuleTypeInfo();
    pictures = std::make_unique<CPictureSource>();
    catalogue = MakeModuleCatalogue();
    services = std::make_unique<CPanelModuleServices>(*catalogue);
    patch = std::make_unique<CPatch>();
    patch->LinkToSynth(&synth, 0, false);
    window = OpenDocument(560, 320);
    area = patch->GetArea(kArea);
    window->GetRootView()->AddChild(area);
    area->SetFrame(NSHarrowen::CRect(0, 0, 560, 320));
    Pump();
}

void PanelTest::TearDown()
{
    window->GetRootView()->RemoveChild(area);
    patch.reset();
    services.reset();
    catalogue.reset();
    pictures.reset();
    WindowTest::TearDown();
}

CModule& PanelTest::AddModule(uint8_t typeId, uint8_t index, uint8_t column, uint8_t row)
{
    CMoleculePacket packet;
    auto dump = std::make_unique<CMModuleDump>(kArea);
    dump->AddModule(index, typeId, column, row);
    packet.Append(std::move(dump));
    patch->ApplyMoleculeList(packet);
    Redraw();
    return Module(index);
}

CModule& PanelTest::Module(uint8_t index)
{
    return dynamic_cast<CModule&>(*area->FindModule(index));
}

void PanelTest::Press(CPoint where)
{
    desktop.Host().PressMouse(ScreenPoint(window, where.x, where.y));
    Pump();
}

void PanelTest::Move(CPoint where)
{
    desktop.Host().MoveMouse(ScreenPoint(window, where.x, where.y));
    Pump();
}

void PanelTest::Release(CPoint where)
{
    desktop.Host().ReleaseMouse(ScreenPoint(window, where.x, where.y));
    Pump();
}

void PanelTest::Click(CPoint where)
{
    Press(where);
    Release(where);
}

void PanelTest::DoubleClick(CPoint where)
{
    Click(where);
    Click(where);
}

void PanelTest::RightClick(CPoint where)
{
    desktop.Host().Click(ScreenPoint(window, where.x, where.y), 2);
    Pump();
}

void PanelTest::HoldControl(bool held)
{
    if (held) {
        desktop.Host().PressKey(platform::kVKControl);
    } else {
        desktop.Host().ReleaseKey(platform::kVKControl);
    }
    Pump();
}

void PanelTest::Tick()
{
    app->Idle();
    Pump();
}

void PanelTest::Wait(uint32_t ms)
{
    for (uint32_t passed = 0; passed < ms; passed += 10) {
        desktop.Host().Advance(10);
        Tick();
    }
}

void PanelTest::Redraw()
{
    NSHarrowen::UpdateAllWindows();
    Pump();
}

platform::PixelBuffer PanelTest::Capture(const NSHarrowen::CRect& rect)
{
    const platform::PixelBuffer screen = platform::CaptureWindow(window->GetHandle());
    const platform::Rect client = platform::GetClientArea(window->GetHandle());
    platform::PixelBuffer part(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y) {
        for (int x = 0; x < rect.Width(); ++x) {
            part.Set(x, y, screen.At(client.left + rect.left + x, client.top + rect.top + y) & 0xFFFFFF);
        }
    }
    return part;
}

uint32_t PanelTest::PixelAt(CPoint where)
{
    Redraw();
    const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
    const platform::Rect client = platform::GetClientArea(window->GetHandle());
    return shot.At(client.left + where.x, client.top + where.y) & 0xFFFFFF;
}

CPoint PanelTest::ScreenPointer()
{
    const platform::Point p = desktop.Host().PointerPosition();
    return CPoint(static_cast<int16_t>(p.x), static_cast<int16_t>(p.y));
}

size_t PanelTest::UndoCount() const
{
    return patch->GetUndoHistory().GetUndoCount();
}

size_t PanelTest::LiveSends() const
{
    return static_cast<size_t>(std::count_if(synth.sent.begin(), synth.sent.end(), [](const auto& sent) {
        return sent.path == testsupport::CSynthLinkDouble::Path::Live;
    }));
}

} // namespace paneltest
