#include "res/main_menu.h"

#include "res/station_strings.h"
#include "view/control_ids.h"

namespace torvane {

const std::vector<MenuTemplate>& MainMenuTemplate() {
  // The about item stands in the "?" menu too: there is no system menu to carry it.
  static const std::vector<MenuTemplate> menus = {
      {"File", 0, {{"Exit", ids::kMenuExit}}},
      {"Interface",
       0,
       {{"Settings", ids::kMenuInterfaceSettings}, {"Device Manager", ids::kMenuDeviceManager}}},
      {"Config", ids::kMenuConfig, {}},
      {"History", ids::kMenuHistory, {}},
      {"Terminal", 0, {{"Show", ids::kMenuTerminalShow}, {"Clear", ids::kMenuTerminalClear}}},
      {"?", 0, {{"Info", ids::kMenuInfo}, {nullptr, 0}, {text::kAboutItem, ids::kSystemMenuAbout}}},
  };
  return menus;
}

}  // namespace torvane
