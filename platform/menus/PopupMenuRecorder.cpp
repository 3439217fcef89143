#include "platform/menus/PopupMenuRecorder.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/Host.h"
#include "platform/menus/MenuWindows.h"
#include <algorithm>
#include <cstddef>
#include <map>

namespace platform {

CPopupMenuRecorder::CPopupMenuRecorder()
    : previous_(SetPopupPresenter([this](const PopupRequest& r) { return Present(r); }))
{ }

CPopupMenuRecorder::~CPopupMenuRecorder()
{
    SetPopupPresenter(std::move(previous_));
}

uint32_t CPopupMenuRecorder::Present(const PopupRequest& request)
{
    Shown shown{request, {}};
    for (int i = 0; i < GetMenuItemCount(request.menu); ++i)
        shown.captions.push_back(GetMenuItem(request.menu, i).caption);
    shown_.push_back(std::move(shown));
    if (answers_.empty())
        return 0;
    const std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer.empty() ? 0 : FindMenuNumberByText(request.menu, answer);
}

} // namespace platform
