// Must not compile: the outline sits below the shell.
#include "shell/main_window.h"
