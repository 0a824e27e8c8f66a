// The common controls: tree view, image lists, property sheets, trackbar,
// progress bar and the toolbar messages of the menu bar.
#pragma once
#include "windef.h"
#include "cc_imagelist.h"
#include "cc_treeview.h"
#include "cc_propsheet.h"
#include "cc_trackbar.h"
#include "cc_progress.h"
#include "cc_toolbar.h"
