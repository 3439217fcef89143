#include "updater/app/Bootwren.h"

#include "framework/alerts/AlertBox.h"
#include "framework/base/Exceptions.h"
#include "framework/menus/MenuBar.h"
#include "framework/windows/ABCWindow.h"
#include "framework/windows/DialogTemplate.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "updater/app/UpdaterAlerts.h"
#include "updater/image/UpdateErrors.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/PageCurrent.h"
#include "updater/pages/PageDone.h"
#include "updater/pages/PageDump.h"
#include "updater/pages/PageDumpError.h"
#include "updater/pages/PageMidi.h"
#include "updater/pages/PagePrepare.h"
#include "updater/pages/PageStart.h"
#include "updater/pages/PageStore.h"
#include "updater/support/ChooseFileToOpen.h"
#include "updater/support/ResourceFile.h"
#include "updater/support/WholeFile.h"
#include "updater/testhook/BootwrenStateReport.h"

#include <algorithm>
#include <climits>
#include <new>
#include <optional>
#include <stdexcept>

namespace NSBootwren {

namespace {

constexpr int32_t kFirstPageTemplate = 102;
constexpr uint64_t kMaxDumpFileBytes = 1024 * 1024;

const NSHarrowen::CFileTypeInfo kDumpFileType{"OS dump file", ".dmp", "TEXT"};

} // namespace

CBootwren::CBootwren(const NSHarrowen::CStartupRecord& record) : CApplication(record) { }

CBootwren::CBootwren(std::string name) : CApplication(std::move(name)) { }

CBootwren::~CBootwren()
{
    StopLinkTimer();
}

void CBootwren::Start()
{
    stateReport_ = CBootwrenStateReport::FromEnvironment();
    ShapeFrame();
    LoadBuiltInImage();
    while (!image_ && !quit_)
        quit_ = !LoadDumpFile();
    if (!image_)
        return; // the next idle step quits
    link_ = std::make_unique<CUpdateLink>(*image_);
    ShowPage(1);
}

// A fixed window without sizing border, boxes or system menu, whose inside
// fits one page.
void CBootwren::ShapeFrame()
{
    const platform::WindowHandle frame = GetFrameHandle();
    if (!frame)
        return;
    namespace style = platform::style;
    const uint32_t removed = style::MaximizeBox | style::MinimizeBox | style::ThickFrame | style::SysMenu;
    platform::SetWindowStyle(frame, platform::GetWindowStyle(frame) & ~removed);
    const NSHarrowen::CRect page = NSHarrowen::CDialogTemplate::Load(kFirstPageTemplate)->GetFrame();
    const platform::Rect outer = platform::GetWindowRect(frame);
    const platform::Rect inner = platform::GetClientRect(frame);
    const int width = page.Width() + (outer.right - outer.left) - inner.right;
    const int height = page.Height() + (outer.bottom - outer.top) - inner.bottom;
    platform::MoveWindow(frame, platform::Rect::FromSize(outer.left, outer.top, width, height), true);
    LayoutFrame();
}

bool CBootwren::TakeImage(const std::vector<uint8_t>& bytes, const char* corruptAlert)
{
    try {
        image_ = CUpdateFile::Read(bytes.data(), bytes.size());
        return true;
    } catch (const XCorruptUpdateFile&) {
        NSHarrowen::RunAlertText(corruptAlert);
    } catch (const XUnknownModel& e) {
        NSHarrowen::RunAlertTextWithArgs(kUnsupportedModelAlert, {e.GetModelName()});
    } catch (const NSHarrowen::XOutOfMemory&) {
        NSHarrowen::RunAlertText(kOutOfMemoryAlert);
    }
    return false;
}

void CBootwren::LoadBuiltInImage()
{
    const CResourceFile resources;
    if (!resources.HasResource("DATA", kImageResource) || resources.GetResourceSize("DATA", kImageResource) == 0)
        return;
    try {
        std::vector<uint8_t> bytes(resources.GetResourceSize("DATA", kImageResource));
        resources.ReadResource("DATA", kImageResource, bytes.data(), bytes.size());
        quit_ = !TakeImage(bytes, kCorruptDataAlert);
    } catch (const std::bad_alloc&) {
        NSHarrowen::RunAlertText(kOutOfMemoryAlert);
        quit_ = true;
    }
}

bool CBootwren::LoadDumpFile()
{
    const std::unique_ptr<NSHarrowen::CFileSpec> file =
        ChooseFileToOpen("Select dump file", {kDumpFileType}, dumpFolder_);
    if (!file)
        return false;
    try {
        const uint64_t size = GetFileSize(*file);
        // An image is far smaller: a larger file is not one, and is not read.
        if (size > kMaxDumpFileBytes) {
            NSHarrowen::RunAlertText(kCorruptFileAlert);
            return true;
        }
        std::vector<uint8_t> bytes(size);
        ReadWholeFile(*file, bytes.data(), bytes.size());
        TakeImage(bytes, kCorruptFileAlert);
    } catch (const std::bad_alloc&) {
        NSHarrowen::RunAlertText(kOutOfMemoryAlert);
    } catch (const std::length_error&) {
        NSHarrowen::RunAlertText(kOutOfMemoryAlert);
    } catch (const NSHarrowen::XBase&) {
        NSHarrowen::RunAlertWithArgs(kFileNotFoundAlert, file->GetFullPath());
    }
    return true;
}

void CBootwren::Idle()
{
    if (quit_)
        CApplication::RequestQuit();
    if (link_)
        TickLink();
    // Replies and the dump move on in the idle step; the pages follow them.
    NSHarrowen::UpdateAllWindows();
    if (stateReport_)
        stateReport_->Poll(page_, pageNumber_, link_.get());
    CApplication::Idle();
}

void CBootwren::TickLink()
{
    link_->Tick();
    const std::optional<uint64_t> wait = link_->GetTimeToNextSend();
    if (!wait) {
        StopLinkTimer();
        return;
    }
    const auto interval = static_cast<uint32_t>(std::clamp<uint64_t>(*wait, 1, UINT32_MAX));
    linkTimer_ = platform::SetTimer(0, linkTimer_, interval, &CBootwren::OnLinkTimer);
}

void CBootwren::OnLinkTimer(platform::WindowHandle, uint32_t, uintptr_t, uint32_t)
{
    auto* app = dynamic_cast<CBootwren*>(NSHarrowen::GetApplication());
    if (!app || !app->link_)
        return;
    app->TickLink();
    NSHarrowen::UpdateAllWindows();
}

void CBootwren::StopLinkTimer()
{
    if (linkTimer_)
        platform::KillTimer(0, linkTimer_);
    linkTimer_ = 0;
}

void CBootwren::Exit()
{
    StopLinkTimer();
    stateReport_.reset();
    // The page shown and those going still stop the dump: they go before
    // the link. The window list deletes them; the page forgets itself.
    if (page_)
        page_->Close();
    NSHarrowen::DeleteMarkedWindows();
    link_.reset();
    image_.reset();
}

void CBootwren::UpdateMenus(NSHarrowen::CMenuBar* bar)
{
    if (!bar)
        return;
    bar->SetCommandEnabled(kQuitCommand, true);
    bar->SetCommandEnabled(kAboutCommand, true);
}

void CBootwren::HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command)
{
    if (command == kQuitCommand)
        CApplication::RequestQuit();
    else if (command == kAboutCommand)
        NSHarrowen::RunAlert(kAboutAlert);
    else
        CApplication::HandleMenuSelect(menu, command);
}

void CBootwren::DoCommand(const NSHarrowen::CKeyEvent& event)
{
    if (page_ && page_->HandleWizardKey(event))
        return;
    CApplication::DoCommand(event);
}

void CBootwren::ForgetPage(CWizardDialog* page)
{
    if (page == page_)
        page_ = nullptr;
}

CWizardDialog* CBootwren::MakePage(int n)
{
    switch (n) {
    case 1:
        return new CPageStart(*this);
    case 2:
        return new CPagePrepare(*this);
    case 3:
        return new CPageMidi(*this);
    case 4:
        return new CPageCurrent(*this);
    case 5:
        return new CPageDump(*this);
    case 6:
        return new CPageStore(*this);
    case 7:
        return new CPageDone(*this);
    default:
        return new CPageDumpError(*this);
    }
}

void CBootwren::ShowPage(int n)
{
    NSHarrowen::CRect place;
    const bool replacing = page_ != nullptr;
    if (replacing) {
        place = page_->GetWindowRectInFrame();
        page_->Close();
        page_ = nullptr;
    }
    page_ = MakePage(n);
    pageNumber_ = n;
    page_->FillTexts();
    if (!replacing) {
        const NSHarrowen::CRect frame = page_->GetDialogTemplate()->GetFrame();
        place = NSHarrowen::CRect(0, 0, frame.Width(), frame.Height());
    }
    page_->Open(place);
}

} // namespace NSBootwren
