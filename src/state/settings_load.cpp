#include "state/settings_load.h"

#include "common/paths.h"
#include "state/app_state.h"
#include "storage/list_attributes.h"
#include "storage/settings.h"

int loadSettings() {
    attrCurrentList = defaultListAttributes();
    getDocumentsFolder(strBackupFolder, BACKUP_FOLDER_CHARS);
    bBackupDatabase = 1;
    bWarningMessage = 1;
    bClearType = 0;
    intTimeStamp = 0;
    bKeyboardSip = 1;
    intFontSizeTV = 10;
    intFontSizeNotes = 10;
    intFontSizeName = 10;
    bEditBarVisible = 0;
    bNotesOpen = 0;
    intListIndex = 0;

    getSettingText(SETTING_BACKUPFOLDER, strBackupFolder);

    intSplitterTop = intWorkHeight - intSplitterHeight;
    getSettingInt(SETTING_SETBARTOP, &intSplitterTop);
    getSettingInt(SETTING_LISTINDEX, &intListIndex);
    getSettingInt(SETTING_BACKUPDATABASE, &bBackupDatabase);
    getSettingInt(SETTING_WARNINGMESSAGE, &bWarningMessage);
    getSettingInt(SETTING_CLEARTYPE, &bClearType);
    getSettingInt(SETTING_EDITBARVISIBLE, &bEditBarVisible);
    getSettingInt(SETTING_FONTSIZETV, &intFontSizeTV);
    getSettingInt(SETTING_FONTSIZENOTES, &intFontSizeNotes);
    getSettingInt(SETTING_FONTSIZENAME, &intFontSizeName);
    getSettingInt(SETTING_TIMESTAMP, &intTimeStamp);
    getSettingInt(SETTING_NOTESEBOPEN, &bNotesOpen);
    getSettingInt(SETTING_KEYBOARDSIP, &bKeyboardSip);

    // The notes pane height is read by the layout when it needs it; here it
    // only gets its first value.
    int notesHeight = 0;
    if (!getSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, &notesHeight))
        setSettingInt(SETTING_NOTEEBHEIGHTPREVIOUS, intWorkHeight / 5);
    return 1;
}
