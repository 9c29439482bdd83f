#pragma once

#include <vector>

namespace torvane {

struct MenuItemTemplate {
  const char* text;  // nullptr: a separator
  int command;
};

// A menu of the menu bar; one without items is a command of the bar itself.
struct MenuTemplate {
  const char* title;
  int command;
  std::vector<MenuItemTemplate> items;
};

// Menu 140 of the main window.
const std::vector<MenuTemplate>& MainMenuTemplate();

}  // namespace torvane
