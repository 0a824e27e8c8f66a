// The device API as the program sees it: include this one header.
#pragma once

#include "windef.h"
#include "winerror.h"
#include "wcrt.h"
#include "winbase.h"
#include "winreg.h"
#include "winnls.h"
#include "shlobj.h"
#include "wingdi.h"
#include "winuser.h"
#include "commctrl.h"
#include "aygshell.h"
