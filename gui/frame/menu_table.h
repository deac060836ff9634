#pragma once
// The main window's menus as one table: the menu bar is built from it, and
// Help > Keyboard shortcuts lists the keys it holds, so the two cannot
// disagree. Texts are marked for translation and translated as they are
// shown.
#include <wx/string.h>

#include <vector>

class wxMenuBar;

enum class MenuItemKind { NORMAL, CHECK, SEPARATOR, SUBMENU };

struct MenuItemSpec {
  int id;
  // Null: the toolkit's stock label, key and help text for the stock id.
  const char* label;
  // The key as the toolkit's accelerators write it ("Ctrl-Z", "Shift+F5"),
  // or null.
  const char* key;
  const char* help;
  MenuItemKind kind;
  // The item's icon (resources/icon_bundles.h), or null.
  const char* icon;
};

struct MenuSpec {
  const char* title;
  std::vector<MenuItemSpec> items;
};

// A key that does a menu's command without an item of its own.
struct ExtraKeySpec {
  const char* key;
  int id;
};

const std::vector<MenuSpec>& MainMenus();
const std::vector<ExtraKeySpec>& ExtraMenuKeys();

// The menu bar of `menus`; a SUBMENU item gets an empty menu to fill.
wxMenuBar* BuildMenuBar(const std::vector<MenuSpec>& menus);

struct KeyboardShortcut {
  wxString key;      // as the toolkit names it ("Ctrl+Z")
  wxString command;  // the item's label without its mnemonic
  wxString menu;     // the menu's title without its mnemonic
};

// Every key of `menus` and `extraKeys`, in menu order, each extra key after
// the item whose command it does.
std::vector<KeyboardShortcut> KeyboardShortcuts(const std::vector<MenuSpec>& menus,
                                                const std::vector<ExtraKeySpec>& extraKeys);
