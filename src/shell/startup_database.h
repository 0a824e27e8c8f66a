// Opening a database at start-up: the one named on the command line or the
// one open last time; on the very first run, a new default database in the
// program folder and the first list.
#pragma once

// `settingsExisted`: the settings file was there before this start, so this
// is not the first run.
void openDatabaseAtStart(int settingsExisted);

// Makes the active list of the open database current: selects it in the
// list box and the list-name bar, reads and applies its attributes and
// loads it (after its password when `askPassword` and it is protected).
// Without an active list the list index becomes 0.
void openActiveListAtStart(int askPassword);
