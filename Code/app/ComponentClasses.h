#pragma once
// The game's component classes by their file class strings: installs the factory's
// table (start of the program, and of every test engine).
void InstallComponentClasses();
