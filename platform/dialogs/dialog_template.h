// The dialog template form is part of the program's interface: windlg.h.
#pragma once

#include "windows.h"
