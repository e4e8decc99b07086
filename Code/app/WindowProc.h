#pragma once
// The game's handlers for window events: keys, the close request, resizes.
#include "platform/Window.h"

platform::WindowHandlers GameWindowHandlers();
