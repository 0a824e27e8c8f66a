// Everything the program keeps as resources (pictures, menus, the menu bar,
// dialog templates), handed to the platform's resource table at start-up so
// that LoadMenuW, SHCreateMenuBar, DialogBoxParamW and LoadImageW find them.
#pragma once

// Registers every resource of the program. Safe to call again.
void registerProgramResources();

// The parts, for tests and for the functions above.
void registerMenuResources();
void registerDialogResources();
void registerAcceleratorResources();
