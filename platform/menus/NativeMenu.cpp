#include "platform/menus/NativeMenu.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/Host.h"
#include "platform/menus/MenuWindows.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace platform {

namespace {

struct MenuObject {
    bool bar = false;
    std::vector<MenuItem> items;
};

struct MenuSystem {
    std::map<MenuHandle, MenuObject> menus;
    MenuHandle next = 1;
    PopupPresenter presenter;
};

MenuSystem& Menus()
{
    static MenuSystem system;
    return system;
}

MenuObject* Find(MenuHandle menu)
{
    auto& menus = Menus().menus;
    const auto it = menus.find(menu);
    return it == menus.end() ? nullptr : &it->second;
}

MenuItem* FindItem(MenuHandle menu, int position)
{
    MenuObject* m = Find(menu);
    if (!m || position < 0 || position >= static_cast<int>(m->items.size()))
        return nullptr;
    return &m->items[static_cast<size_t>(position)];
}

MenuHandle Create(bool bar)
{
    MenuSystem& s = Menus();
    const MenuHandle handle = s.next++;
    s.menus[handle].bar = bar;
    return handle;
}

template <typename F> bool Change(MenuHandle menu, int position, F&& change)
{
    MenuItem* item = FindItem(menu, position);
    if (!item)
        return false;
    change(*item);
    return true;
}

} // namespace

MenuHandle CreatePopupMenu()
{
    return Create(false);
}
MenuHandle CreateMenuBar()
{
    return Create(true);
}

bool DestroyMenu(MenuHandle menu)
{
    return Menus().menus.erase(menu) != 0;
}

bool IsMenu(MenuHandle menu)
{
    return Find(menu) != nullptr;
}

bool InsertMenuItem(MenuHandle menu, int position, const MenuItem& item)
{
    MenuObject* m = Find(menu);
    if (!m)
        return false;
    const size_t at = position < 0 ? m->items.size() : std::min(static_cast<size_t>(position), m->items.size());
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return true;
}

bool SetMenuItem(MenuHandle menu, int position, const MenuItem& item)
{
    return Change(menu, position, [&](MenuItem& i) { i = item; });
}

bool RemoveMenuItem(MenuHandle menu, int position)
{
    MenuObject* m = Find(menu);
    if (!FindItem(menu, position))
        return false;
    m->items.erase(m->items.begin() + position);
    return true;
}

bool EnableMenuItem(MenuHandle menu, int position, bool enabled)
{
    return Change(menu, position, [&](MenuItem& i) { i.enabled = enabled; });
}

bool CheckMenuItem(MenuHandle menu, int position, bool checked)
{
    return Change(menu, position, [&](MenuItem& i) { i.checked = checked; });
}

int GetMenuItemCount(MenuHandle menu)
{
    const MenuObject* m = Find(menu);
    return m ? static_cast<int>(m->items.size()) : 0;
}

MenuItem GetMenuItem(MenuHandle menu, int position)
{
    const MenuItem* item = FindItem(menu, position);
    return item ? *item : MenuItem{};
}

std::string CaptionText(const std::string& caption)
{
    std::string text;
    for (size_t i = 0; i < caption.size() && caption[i] != '\t'; ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

char CaptionMnemonic(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size() && caption[i] != '\t'; ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return caption[i + 1];
        ++i;
    }
    return 0;
}

std::string CaptionShortcut(const std::string& caption)
{
    const size_t tab = caption.find('\t');
    return tab == std::string::npos ? std::string() : caption.substr(tab + 1);
}

uint32_t TrackPopupMenu(const PopupRequest& request)
{
    // A copy: the presenter may replace itself while it runs.
    const PopupPresenter presenter = Menus().presenter;
    if (!IsMenu(request.menu))
        return 0;
    if (presenter)
        return presenter(request);
    // A headless desktop has nobody to choose: the menu closes at once.
    if (dynamic_cast<HeadlessHost*>(&Host()))
        return 0;
    return RunPopupMenuWindow(request);
}

PopupPresenter SetPopupPresenter(PopupPresenter presenter)
{
    PopupPresenter previous = std::move(Menus().presenter);
    Menus().presenter = std::move(presenter);
    return previous;
}

uint32_t FindMenuNumberByText(MenuHandle menu, const std::string& text)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const MenuItem item = GetMenuItem(menu, i);
        if (item.kind == MenuItem::Kind::Submenu) {
            if (const uint32_t n = FindMenuNumberByText(item.submenu, text))
                return n;
        } else if (item.kind == MenuItem::Kind::Command && item.enabled && CaptionText(item.caption) == text) {
            return item.number;
        }
    }
    return 0;
}

} // namespace platform
