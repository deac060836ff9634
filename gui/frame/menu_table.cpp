#include "gui/frame/menu_table.h"

#include <memory>

#include <wx/accel.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/stockitem.h>

#include "gui/frame/ids.h"
#include "resources/icon_bundles.h"

namespace {

using K = MenuItemKind;
constexpr MenuItemSpec SEPARATOR{wxID_SEPARATOR, nullptr, nullptr, nullptr, K::SEPARATOR, nullptr};

// A stock item: the toolkit supplies its label, key and help text.
constexpr MenuItemSpec Stock(int id) { return {id, nullptr, nullptr, nullptr, K::NORMAL, nullptr}; }

// The label with its key after a tab, as the toolkit takes it.
wxString ItemText(const MenuItemSpec& item) {
  wxString text = wxGetTranslation(item.label);
  if (item.key != nullptr) {
    text += "\t" + wxString(item.key);
  }
  return text;
}

// The key as the toolkit names it, whichever way the table wrote it.
wxString KeyName(const wxString& key) {
  std::unique_ptr<wxAcceleratorEntry> entry(wxAcceleratorEntry::Create("\t" + key));
  return entry ? entry->ToString() : key;
}

wxString WithoutMnemonic(const wxString& label) { return wxStripMenuCodes(label, wxStrip_Mnemonics); }

}  // namespace

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus = {
      {wxTRANSLATE("&File"),
       {Stock(wxID_NEW),
        Stock(wxID_OPEN),
        {ID_OPEN_RECENT, wxTRANSLATE("Open &Recent"), nullptr, wxTRANSLATE("Open one of the scenarios used last"),
         K::SUBMENU, nullptr},
        Stock(wxID_SAVE),
        Stock(wxID_SAVEAS),
        {ID_SAVE_COPY, wxTRANSLATE("Save &Copy as..."), nullptr, wxTRANSLATE("Save a copy of this scenario"),
         K::NORMAL, nullptr},
        SEPARATOR,
        Stock(wxID_REVERT_TO_SAVED),
        SEPARATOR,
        Stock(wxID_PRINT),
        Stock(wxID_PREVIEW),
        {ID_EXPORT_PREVIEW, wxTRANSLATE("&Export preview..."), nullptr,
         wxTRANSLATE("Write the scenario played on the virtual boards as an animated GIF"), K::NORMAL, nullptr},
        SEPARATOR,
        Stock(wxID_EXIT)}},
      {wxTRANSLATE("&Edit"),
       {{wxID_ADD, wxTRANSLATE("&Add scene"), nullptr, wxTRANSLATE("Add another scene to this scenario"), K::NORMAL,
         nullptr},
        {wxID_DELETE, wxTRANSLATE("&Delete scene"), nullptr, wxTRANSLATE("Delete this scene"), K::NORMAL, nullptr},
        {wxID_EDIT, wxTRANSLATE("&Rename scene"), nullptr, wxTRANSLATE("Rename this scene"), K::NORMAL, nullptr},
        {wxID_DUPLICATE, wxTRANSLATE("D&uplicate scene"), nullptr, wxTRANSLATE("Duplicate this scene"), K::NORMAL,
         nullptr},
        SEPARATOR,
        {wxID_UNDO, wxTRANSLATE("Undo"), "Ctrl-Z", wxTRANSLATE("Undo the recent changes"), K::NORMAL, nullptr},
        {wxID_REDO, wxTRANSLATE("Redo"), "Ctrl-Y", wxTRANSLATE("Redo what was undone"), K::NORMAL, nullptr},
        SEPARATOR,
        {wxID_CUT, wxTRANSLATE("Cu&t"), "Ctrl-X", wxTRANSLATE("Cut the selected rows to the clipboard"), K::NORMAL,
         nullptr},
        {wxID_COPY, wxTRANSLATE("&Copy"), "Ctrl-C", wxTRANSLATE("Copy the selected rows to the clipboard"),
         K::NORMAL, nullptr},
        {wxID_PASTE, wxTRANSLATE("&Paste"), "Ctrl-V", wxTRANSLATE("Paste rows above the selected row"), K::NORMAL,
         nullptr},
        SEPARATOR,
        {ID_HIDE_TO, wxTRANSLATE("&Hide \"To\" column"), nullptr,
         wxTRANSLATE("Hide (or show) the \"To\" column in the grid"), K::CHECK, nullptr},
        {ID_INPUT_CONFIG, wxTRANSLATE("&Input configuration"), nullptr,
         wxTRANSLATE("Configure the functions of the auxiliary inputs"), K::NORMAL, nullptr},
        SEPARATOR,
        {ID_CHECK_SCENARIO, wxTRANSLATE("Chec&k scenario"), "Ctrl-K",
         wxTRANSLATE("List the mistakes that would show on the boards"), K::NORMAL, nullptr}}},
      {wxTRANSLATE("&Control"),
       {{ID_TRANSFER, wxTRANSLATE("&Transfer / run"), "F5",
         wxTRANSLATE("Run the scenario, take \"hold\" times into account"), K::NORMAL, "transfer"},
        {ID_STOP, wxTRANSLATE("&Stop"), "Shift+F5", wxTRANSLATE("Stop the scenario"), K::NORMAL, "stop"},
        {wxID_BACKWARD, wxTRANSLATE("Pre&vious scene"), "PgUp", wxTRANSLATE("Move to the previous scene"), K::NORMAL,
         nullptr},
        {wxID_FORWARD, wxTRANSLATE("&Next scene"), "PgDn", wxTRANSLATE("Move to the next scene"), K::NORMAL,
         nullptr},
        SEPARATOR,
        {ID_RESET_BOARDS, wxTRANSLATE("&Reset Lumivanes"), nullptr,
         wxTRANSLATE("Reset the Lumivanes and the serial port"), K::NORMAL, nullptr},
        {ID_PROGRAM_BOARDS, wxTRANSLATE("&Program Lumivanes"), nullptr,
         wxTRANSLATE("Store the scenario in the Lumivanes' ROM"), K::NORMAL, nullptr},
        {ID_ERASE_BOARDS, wxTRANSLATE("&Clear (erase) Lumivanes' program"), nullptr,
         wxTRANSLATE("Erase the Lumivane's ROM (containing the scenario and settings)"), K::NORMAL, nullptr},
        {ID_ROM_RECORD, wxTRANSLATE("&What the boards hold..."), nullptr,
         wxTRANSLATE("Show what the boards were last programmed with, and compare it with this scenario"), K::NORMAL,
         nullptr},
        SEPARATOR,
        {wxID_PROPERTIES, wxTRANSLATE("S&ettings"), "F2", wxTRANSLATE("Set program configuration and options"),
         K::NORMAL, nullptr},
        {ID_BOARD_MONITOR, wxTRANSLATE("Board &monitor"), "F3", wxTRANSLATE("Show what the boards on the line hold"),
         K::NORMAL, nullptr},
        {ID_REMOTE_CONTROL, wxTRANSLATE("Remote c&ontrol..."), nullptr,
         wxTRANSLATE("Let OSC, a phone's browser or another program run the scenario"), K::NORMAL, nullptr},
        {ID_SHOW_MODE, wxTRANSLATE("Sho&w mode"), "F11", wxTRANSLATE("A full-screen view of the run for the operator"),
         K::NORMAL, nullptr}}},
      {wxTRANSLATE("&Help"),
       {{wxID_HELP, wxTRANSLATE("&User Guide"), nullptr, wxTRANSLATE("Display the User Guide"), K::NORMAL, nullptr},
        {wxID_HELP_PROCEDURES, wxTRANSLATE("&Tips"), nullptr,
         wxTRANSLATE("Display the usage tips (\"tip of the day\")"), K::NORMAL, nullptr},
        {ID_KEYBOARD_SHORTCUTS, wxTRANSLATE("&Keyboard shortcuts"), nullptr,
         wxTRANSLATE("List the keys of every command"), K::NORMAL, nullptr},
        SEPARATOR,
        Stock(wxID_ABOUT)}},
  };
  return menus;
}

const std::vector<ExtraKeySpec>& ExtraMenuKeys() {
  // The second key of Redo, as other programs have it (menu_keys.h).
  static const std::vector<ExtraKeySpec> keys = {{"Ctrl+Shift+Z", wxID_REDO}};
  return keys;
}

wxMenuBar* BuildMenuBar(const std::vector<MenuSpec>& menus) {
  auto* bar = new wxMenuBar;
  for (const MenuSpec& spec : menus) {
    auto* menu = new wxMenu;
    for (const MenuItemSpec& item : spec.items) {
      if (item.kind == K::SEPARATOR) {
        menu->AppendSeparator();
      } else if (item.label == nullptr) {
        // An empty label lets the toolkit supply the stock label, key and help.
        menu->Append(item.id);
      } else if (item.kind == K::SUBMENU) {
        menu->Append(item.id, ItemText(item), new wxMenu, wxGetTranslation(item.help));
      } else {
        auto* entry = new wxMenuItem(menu, item.id, ItemText(item), wxGetTranslation(item.help),
                                     item.kind == K::CHECK ? wxITEM_CHECK : wxITEM_NORMAL);
        if (item.icon != nullptr) {
          entry->SetBitmap(IconBundle(item.icon));
        }
        menu->Append(entry);
      }
    }
    bar->Append(menu, wxGetTranslation(spec.title));
  }
  return bar;
}

std::vector<KeyboardShortcut> KeyboardShortcuts(const std::vector<MenuSpec>& menus,
                                                const std::vector<ExtraKeySpec>& extraKeys) {
  std::vector<KeyboardShortcut> shortcuts;
  for (const MenuSpec& spec : menus) {
    const wxString menu = WithoutMnemonic(wxGetTranslation(spec.title));
    for (const MenuItemSpec& item : spec.items) {
      if (item.kind == K::SEPARATOR) {
        continue;
      }
      // A stock item's key is the one the toolkit gives its menu item.
      const wxString text =
          item.label == nullptr ? wxGetStockLabel(item.id, wxSTOCK_WITH_ACCELERATOR) : ItemText(item);
      const wxString command = WithoutMnemonic(text.BeforeFirst('\t'));
      if (text.Contains("\t")) {
        shortcuts.push_back({KeyName(text.AfterFirst('\t')), command, menu});
      }
      for (const ExtraKeySpec& extra : extraKeys) {
        if (extra.id == item.id) {
          shortcuts.push_back({KeyName(extra.key), command, menu});
        }
      }
    }
  }
  return shortcuts;
}
