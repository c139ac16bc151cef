#pragma once
// The few menu items the shared menus caption as the classic window's buttons
// read, in English in both languages (the flash-style choice): the modern
// window, which has no such buttons, says them in the language.

namespace tessaro {

struct MainMenus;

void UseModernMenuWords(MainMenus& menus);

} // namespace tessaro
