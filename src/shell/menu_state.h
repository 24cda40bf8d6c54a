// The Options menu and the dimming of the whole menu bar.
#pragma once

// Options menu callback: items 13 to 17 choose the language, item 19 flips
// "Save settings on exit". Also called at start-up with item 13 + langue.
void Gestion_options(int menuBar, int menuItem, void* callbackData, int panel);
// 1 dims the four menus, 0 restores them (no nesting: one restore undoes any number of dims).
void Ctrl_menu(int flag);
