// What one open chooser keeps (there is one at a time), shared by its
// procedure (file_chooser.cpp) and its commands (file_chooser_commands.cpp).
#pragma once

#include "aygshell.h"
#include "common/gdi_owner.h"
#include "dialogs/file_chooser.h"
#include "dialogs/file_chooser_tree.h"
#include "windows.h"

struct ChooserState {
    HWND dialog = nullptr;
    FileChooserRequest* request = nullptr;
    ChooserTree tree;
    int bNewFolder = 0;                 // a new folder's name is being typed
    HTREEITEM editNode = nullptr;       // the node whose label is being edited
    WCHAR strEditPath[MAX_PATH] = {};   // its path and label when the edit began
    WCHAR strEditLabel[MAX_PATH] = {};
    GdiObject<HFONT> hfontTitle;        // 10 points bold
    GdiObject<HFONT> hfontLabel;        // 10 points
    GdiObject<HBRUSH> hbrBand;          // kChooserBandColour
    GdiObject<HBITMAP> hbmOk;
    GdiObject<HBITMAP> hbmCancel;
    GdiObject<HBITMAP> hbmNewFolder;
    HIMAGELIST himlTree = nullptr;
    SHACTIVATEINFO activateInfo = {};
};

constexpr COLORREF kChooserBandColour = 0xB9FFFF;   // red 255, green 255, blue 185
constexpr COLORREF kChooserTitleColour = 0x990000;  // blue 153

// Room for the typed file name, terminator included.
enum { CHOOSER_NAME_CHARS = 200 };
// Room for an edited label, terminator included.
enum { CHOOSER_LABEL_CHARS = 256 };

// The check-mark picture: accepts the selection as the mode asks, or says
// why not. Closes the dialog with 1 when accepted.
void acceptChoice(ChooserState& s);
// The New Folder picture (mode 4): a "New Folder" node to name.
void startNewFolder(ChooserState& s);
// TVN_BEGINLABELEDIT; TRUE refuses the edit.
BOOL beginLabelEdit(ChooserState& s, const NMTVDISPINFOW& info);
// TVN_ENDLABELEDIT: creates the new folder or renames on disk.
void endLabelEdit(ChooserState& s, const NMTVDISPINFOW& info);
