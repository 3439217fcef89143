#include "framework/menus/Menu.h"
#include "framework/menus/MenuScript.h"

#include "framework/windows/ABCWindow.h"
#include "framework/base/Exceptions.h"
#include "framework/views/View.h"
#include "platform/windows/Window.h"
#include "framework/resources/ResourceText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace NSHarrowen {

namespace {

std::vector<CMenu*>& MenuList()
{
    static std::vector<CMenu*> menus;
    return menus;
}

WindowListSource windowListSource = nullptr;
WindowActivator windowActivator = nullptr;

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

uint32_t ParseNumber(std::string_view s, size_t& at)
{
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data() + at, s.data() + s.size(), value);
    at = static_cast<size_t>(end - s.data());
    return ec == std::errc() ? value : 0;
}

bool IsMarker(char c)
{
    return c == '#' || c == '=' || c == '?' || c == '~';
}

// One token: the label up to the first marker, then the markers' arguments.
CMenuItemRecord ParseToken(std::string_view token)
{
    CMenuItemRecord item;
    if (token == "-") {
        item.kind = CMenuItemRecord::kSeparator;
        return item;
    }
    size_t at = 0;
    while (at < token.size() && !IsMarker(token[at]))
        ++at;
    item.label = FitMenuLabel(Trim(token.substr(0, at)));
    while (at < token.size()) {
        const char marker = token[at++];
        if (!IsMarker(marker) || at >= token.size())
            continue;
        switch (marker) {
        case '#':
            item.accelerator = token[at++];
            break;
        case '~':
            item.mnemonic = token[at++];
            break;
        case '=':
            item.command = ParseNumber(token, at);
            break;
        case '?':
            item.helpTopic = ParseNumber(token, at);
            break;
        }
    }
    return item;
}

platform::MenuItem NativeItem(const CMenuItemRecord& item)
{
    platform::MenuItem native;
    native.enabled = !item.disabled;
    native.checked = item.checked;
    native.number = item.number;
    native.helpId = item.helpTopic;
    switch (item.kind) {
    case CMenuItemRecord::kSeparator:
        native.kind = platform::MenuItem::Kind::Separator;
        break;
    case CMenuItemRecord::kSubmenu:
        native.kind = platform::MenuItem::Kind::Submenu;
        native.submenu = item.submenu ? item.submenu->GetNativeMenu() : 0;
        break;
    default:
        native.kind = platform::MenuItem::Kind::Command;
        break;
    }
    if (item.kind != CMenuItemRecord::kSeparator)
        native.caption = MakeMenuCaption(item);
    return native;
}

} // namespace

std::string FitMenuLabel(std::string_view label)
{
    if (label.size() <= kMenuLabelMax)
        return std::string(label);
    return std::string(label.substr(0, kMenuLabelMax - 3)) + "...";
}

std::string MakeMenuCaption(std::string_view label, char mnemonic, char accelerator)
{
    std::string caption;
    for (const char c : label) {
        caption += c;
        if (c == '&')
            caption += '&';
    }
    if (mnemonic != 0 && mnemonic != '&') {
        // The letter as scripted, else in the other case ("Setup~U" marks
        // its "u"): a scripted mnemonic always reaches its item.
        const auto fold = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
        const auto same = [&](char c, bool exact) { return exact ? c == mnemonic : fold(c) == fold(mnemonic); };
        size_t at = std::string::npos;
        for (const bool exact : {true, false}) {
            for (size_t i = 0; i < caption.size() && at == std::string::npos; ++i)
                if (same(caption[i], exact) && (i == 0 || caption[i - 1] == ' '))
                    at = i;
            for (size_t i = 0; i < caption.size() && at == std::string::npos; ++i)
                if (same(caption[i], exact))
                    at = i;
            if (at != std::string::npos)
                break;
        }
        if (at != std::string::npos)
            caption.insert(at, 1, '&');
    }
    if (accelerator != 0) {
        caption += "\tCtrl+";
        caption += accelerator;
    }
    return caption;
}

std::string MakeMenuCaption(const CMenuItemRecord& item)
{
    return MakeMenuCaption(item.label, item.mnemonic, item.accelerator);
}

CMenuScript ParseMenuScript(std::string_view script)
{
    CMenuScript result;
    bool first = true;
    while (!script.empty() || first) {
        const size_t semi = script.find(';');
        const std::string_view token = Trim(script.substr(0, semi));
        script = semi == std::string_view::npos ? std::string_view() : script.substr(semi + 1);
        if (first) {
            result.title = ParseToken(token);
            first = false;
        } else if (!token.empty()) {
            result.items.push_back(ParseToken(token));
        }
    }
    return result;
}

void SetWindowListSource(WindowListSource source)
{
    windowListSource = source;
}
void SetWindowActivator(WindowActivator activator)
{
    windowActivator = activator;
}

void ActivateWindowFromMenu(uint32_t command)
{
    if (command >= kFirstWindowCommand && command <= kLastWindowCommand && windowActivator)
        windowActivator(static_cast<int>(command - kFirstWindowCommand));
}

CMenu::CMenu() : native_(platform::CreatePopupMenu()), title_("Untitled")
{
    if (native_ == 0)
        throw XBase();
    MenuList().push_back(this);
}

CMenu::CMenu(uint32_t menuId)
{
    const CMenuScript script = ParseMenuScript(GetResourceMenu(menuId));
    title_ = script.title.label;
    titleMnemonic_ = script.title.mnemonic;
    helpTopic_ = script.title.helpTopic;
    native_ = platform::CreatePopupMenu();
    if (native_ == 0)
        throw XBase();
    MenuList().push_back(this);
    for (CMenuItemRecord item : script.items) {
        item.disabled = item.kind != CMenuItemRecord::kSeparator;
        AppendItemRecord(item);
    }
}

CMenu::~CMenu()
{
    auto& menus = MenuList();
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
    platform::DestroyMenu(native_);
}

const std::vector<CMenu*>& CMenu::AllMenus()
{
    return MenuList();
}

CMenuItemRecord CMenu::GetItem(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return {};
    return items_[static_cast<size_t>(index)];
}

uint32_t CMenu::GetItemCommand(int index) const
{
    return GetItem(index).command;
}

void CMenu::InsertNative(int index)
{
    platform::InsertMenuItem(native_, index, NativeItem(items_[static_cast<size_t>(index)]));
}
void CMenu::WriteNative(int index)
{
    platform::SetMenuItem(native_, index, NativeItem(items_[static_cast<size_t>(index)]));
}

void CMenu::InsertItem(int index, const CMenuItemRecord& item)
{
    index = std::clamp(index, 0, GetItemCount());
    CMenuItemRecord copy = item;
    copy.label = FitMenuLabel(copy.label);
    items_.insert(items_.begin() + index, std::move(copy));
    InsertNative(index);
}

void CMenu::AppendItem(std::string_view label)
{
    CMenuItemRecord item;
    item.label = std::string(label);
    AppendItemRecord(item);
}

void CMenu::AppendItemRecord(const CMenuItemRecord& item)
{
    InsertItem(GetItemCount(), item);
}

void CMenu::SetItem(int index, const CMenuItemRecord& item)
{
    if (index < 0 || index >= GetItemCount())
        return;
    CMenuItemRecord copy = item;
    copy.label = FitMenuLabel(copy.label);
    items_[static_cast<size_t>(index)] = std::move(copy);
    WriteNative(index);
}

void CMenu::RemoveItem(int index)
{
    if (index < 0 || index >= GetItemCount())
        return;
    items_.erase(items_.begin() + index);
    platform::RemoveMenuItem(native_, index);
}

void CMenu::RemoveAllItems()
{
    for (int i = GetItemCount() - 1; i >= 0; --i)
        RemoveItem(i);
}

void CMenu::SetItemEnabled(int index, bool enabled)
{
    if (index < 0 || index >= GetItemCount())
        return;
    items_[static_cast<size_t>(index)].disabled = !enabled;
    platform::EnableMenuItem(native_, index, enabled);
}

void CMenu::SetItemChecked(int index, bool checked)
{
    if (index < 0 || index >= GetItemCount())
        return;
    items_[static_cast<size_t>(index)].checked = checked;
    platform::CheckMenuItem(native_, index, checked);
}

void CMenu::SetItemSubmenu(int index, CMenu* submenu)
{
    if (index < 0 || index >= GetItemCount())
        return;
    CMenuItemRecord& item = items_[static_cast<size_t>(index)];
    item.kind = CMenuItemRecord::kSubmenu;
    item.submenu = submenu;
    WriteNative(index);
}

bool CMenu::FindItem(const std::function<bool(const CMenuItemRecord&)>& match, CMenu*& menu, int& index)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        const CMenuItemRecord& item = items_[static_cast<size_t>(i)];
        if (item.kind == CMenuItemRecord::kSubmenu) {
            if (item.submenu && item.submenu != this && item.submenu->FindItem(match, menu, index))
                return true;
        } else if (item.kind == CMenuItemRecord::kCommand && match(item)) {
            menu = this;
            index = i;
            return true;
        }
    }
    return false;
}

bool CMenu::FindCommand(uint32_t command, CMenu*& menu, int& index)
{
    return FindItem([command](const CMenuItemRecord& item) { return item.command == command; }, menu, index);
}

void CMenu::SetCommandChecked(uint32_t command, bool checked)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (FindCommand(command, menu, index))
        menu->SetItemChecked(index, checked);
}

void CMenu::EnableMenuCommand(uint32_t command, bool enabled)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (FindCommand(command, menu, index))
        menu->SetItemEnabled(index, enabled);
}

void CMenu::SetMenuCommandText(uint32_t command, std::string_view word, bool on)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (!FindCommand(command, menu, index))
        return;
    CMenuItemRecord item = menu->GetItem(index);
    const std::string suffix = " (" + std::string(word) + ")";
    const bool has = item.label.size() >= suffix.size() &&
        item.label.compare(item.label.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (on == has)
        return;
    if (on)
        item.label += suffix;
    else
        item.label.resize(item.label.size() - suffix.size());
    menu->SetItem(index, item);
}

bool CMenu::RemoveCommand(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    if (!FindCommand(command, menu, index))
        return false;
    menu->RemoveItem(index);
    return true;
}

void CMenu::RemoveDynamicItems()
{
    for (int i = GetItemCount() - 1; i >= 0; --i)
        if (items_[static_cast<size_t>(i)].dynamic)
            RemoveItem(i);
}

bool CMenu::BuildWindowList(int position)
{
    if (!windowListSource)
        return false;
    bool added = false;
    for (const CListedWindow& window : windowListSource()) {
        if (window.title.empty())
            continue;
        CMenuItemRecord item;
        item.dynamic = true;
        item.label = window.title;
        item.checked = window.active;
        item.command = kFirstWindowCommand + static_cast<uint32_t>(window.index);
        InsertItem(position++, item);
        added = true;
    }
    return added;
}

void CMenu::AssignItemNumbers(uint32_t& next)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        CMenuItemRecord& item = items_[static_cast<size_t>(i)];
        if (item.kind == CMenuItemRecord::kSubmenu) {
            if (item.submenu && item.submenu != this)
                item.submenu->AssignItemNumbers(next);
        } else if (item.kind == CMenuItemRecord::kCommand) {
            item.number = next++;
            WriteNative(i);
        }
    }
}

bool CMenu::FindItemByNumber(uint32_t number, CMenu*& menu, int& index)
{
    return number != 0 &&
        FindItem([number](const CMenuItemRecord& item) { return item.number == number; }, menu, index);
}

bool CMenu::TrackPopup(const CView* owner, int x, int y, CMenu*& menu, int& index)
{
    const CABCWindow* window = owner ? owner->GetWindow() : nullptr;
    const platform::WindowHandle handle = window ? window->GetHandle() : 0;
    const platform::Point at = handle ? platform::ClientToScreen(handle, {x, y}) : platform::Point{x, y};
    return TrackPopupAt(at.x, at.y, handle, menu, index);
}

bool CMenu::TrackPopupAt(int screenX, int screenY, uint32_t ownerWindow, CMenu*& menu, int& index)
{
    uint32_t next = 100;
    AssignItemNumbers(next);
    const uint32_t chosen = platform::TrackPopupMenu({native_, screenX, screenY, ownerWindow});
    if (chosen != 0 && FindItemByNumber(chosen, menu, index))
        return true;
    menu = nullptr;
    index = 666;
    return false;
}

} // namespace NSHarrowen
