#pragma once
// The game's hand in the lower layers: the scene manager's hooks (the dialogue's
// hand-over and keys, the party's set-up) and the particles combat calls. Installed at
// the start of the program, and of every test engine, with the component classes.
void InstallGameHooks();
