// The control messages the automation sends to list boxes, combo boxes,
// edits and buttons. The controls' own headers define them; these fallbacks
// (the same values) keep the host building while a header is still empty.
#pragma once

#include "windows.h"
#include "commctrl.h"

#ifndef EM_GETSEL
#define EM_GETSEL 0x00B0
#endif
#ifndef BM_GETCHECK
#define BM_GETCHECK 0x00F0
#endif
#ifndef LB_ERR
#define LB_ERR (-1)
#endif
#ifndef LB_GETCURSEL
#define LB_GETCURSEL 0x0188
#endif
#ifndef LB_GETTEXT
#define LB_GETTEXT 0x0189
#endif
#ifndef LB_GETTEXTLEN
#define LB_GETTEXTLEN 0x018A
#endif
#ifndef LB_GETCOUNT
#define LB_GETCOUNT 0x018B
#endif
#ifndef LB_GETTOPINDEX
#define LB_GETTOPINDEX 0x018E
#endif
#ifndef LB_SETTOPINDEX
#define LB_SETTOPINDEX 0x0197
#endif
#ifndef LB_GETITEMRECT
#define LB_GETITEMRECT 0x0198
#endif
#ifndef CB_ERR
#define CB_ERR (-1)
#endif
#ifndef CB_GETCOUNT
#define CB_GETCOUNT 0x0146
#endif
#ifndef CB_GETCURSEL
#define CB_GETCURSEL 0x0147
#endif
#ifndef CB_GETLBTEXT
#define CB_GETLBTEXT 0x0148
#endif
#ifndef CB_GETLBTEXTLEN
#define CB_GETLBTEXTLEN 0x0149
#endif
#ifndef CB_GETDROPPEDCONTROLRECT
#define CB_GETDROPPEDCONTROLRECT 0x0152
#endif
#ifndef CB_GETITEMHEIGHT
#define CB_GETITEMHEIGHT 0x0154
#endif
#ifndef CB_GETDROPPEDSTATE
#define CB_GETDROPPEDSTATE 0x0157
#endif
#ifndef CB_GETTOPINDEX
#define CB_GETTOPINDEX 0x015B
#endif
#ifndef CB_SETTOPINDEX
#define CB_SETTOPINDEX 0x015C
#endif
