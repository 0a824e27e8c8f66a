// The settings the program keeps in its state, read from the settings store
// at start-up.
#pragma once

// Sets the start-up defaults of the application state, then reads every
// key over them; stores "noteebheightprevious" when it is missing. Always 1.
int loadSettings();
