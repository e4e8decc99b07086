#pragma once
// How menus make their buttons and bind them: a button is a screen picture with a
// Button (or ToggleButton) and a second picture as its selected look; a click calls a
// member of the menu for as long as the menu exists.
#include <cstddef>

#include "gameobjectengine/Handle.h"
#include "graphics/SpriteRenderer.h"
#include "ui/Button.h"
#include "ui/ScreenPictures.h"

namespace UI {

// The button on its own picture and its selected picture (hidden); its own picture is
// shown or hidden as asked. False when any of its objects could not be made (the parts
// that could be made are kept and wired).
inline bool MakeButton(Handle<Button>& button, const ScreenPicture& own, const ScreenPicture& selected,
                       bool shown = false) {
    SpriteRenderer* ownSprite = MakeScreenPicture(own, shown);
    Button* made = ownSprite ? ownSprite->owner->AddComponent<Button>() : nullptr;
    button = made;
    SpriteRenderer* selectedSprite = MakeScreenPicture(selected, false);
    if (made) made->selectedSprite = selectedSprite;
    return made && selectedSprite;
}

// element.onClick := menu->handler(), a call that does nothing once the menu is gone.
template <typename Element, typename Menu>
void Bind(const Handle<Element>& element, Menu* menu, void (Menu::*handler)()) {
    Element* target = element.Get();
    if (!target) return;
    Handle<Menu> self(menu);
    target->onClick = [self, handler]() {
        if (Menu* alive = self.Get()) (alive->*handler)();
    };
}

// Clears the element's callbacks (the menu that bound them is going away).
template <typename Element>
void Unbind(const Handle<Element>& element) {
    if (Element* target = element.Get()) target->ClearCallbacks();
}

// One row of a menu's click table: an element of the menu and the member its click calls.
// A menu keeps one table, binds it when it starts and unbinds it when it goes.
template <typename Menu, typename Element = Button>
struct Click {
    Handle<Element> Menu::*element;
    void (Menu::*handler)();
};

template <typename Menu, typename Element, std::size_t N>
void BindAll(Menu* menu, const Click<Menu, Element> (&clicks)[N]) {
    for (const Click<Menu, Element>& click : clicks) Bind(menu->*click.element, menu, click.handler);
}

template <typename Menu, typename Element, std::size_t N>
void UnbindAll(Menu* menu, const Click<Menu, Element> (&clicks)[N]) {
    for (const Click<Menu, Element>& click : clicks) Unbind(menu->*click.element);
}

}  // namespace UI
