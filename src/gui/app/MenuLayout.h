#pragma once

#include <vector>

namespace vardo {

/// One entry of the menu bar: a command (id > 0), a submenu (children) or a separator (neither).
struct MenuEntry {
    int id = 0;
    const char* text = nullptr; ///< UTF-8; "&" marks the mnemonic
    const char* shortcut = nullptr;
    bool checkable = false;
    std::vector<MenuEntry> children;

    bool IsSeparator() const { return id == 0 && text == nullptr; }
    bool IsSubmenu() const { return id == 0 && text != nullptr; }
};

/// The menus of the main window, top level first.
const std::vector<MenuEntry>& MainMenuLayout();

/// Every command id that appears in the menus, submenus included.
std::vector<int> MenuCommandIds();

} // namespace vardo
