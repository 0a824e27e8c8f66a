// The "Other" page: the format of the notes' time and date stamp, and
// whether the input panel comes up for text entry on devices that have a
// keyboard of their own.
#include "dialogs/settings_pages.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/settings.h"

namespace {

// In the order of the "timestamp" setting's values.
const WCHAR* const kStampFormats[] = {u"Time/Date", u"Date/Time", u"Time", u"Date"};

BOOL onInit(HWND hwnd) {
    fillDropList(hwnd, res::kIdOtherTimeStamp, kStampFormats, 4, intTimeStamp);
    setCheck(hwnd, res::kIdOtherKeyboardSip, bKeyboardSip);
    return TRUE;
}

void apply(HWND hwnd) {
    intTimeStamp = dropListIndex(hwnd, res::kIdOtherTimeStamp, intTimeStamp);
    bKeyboardSip = isChecked(hwnd, res::kIdOtherKeyboardSip);
    setSettingInt(SETTING_TIMESTAMP, intTimeStamp);
    setSettingInt(SETTING_KEYBOARDSIP, bKeyboardSip);
}

}  // namespace

INT_PTR CALLBACK otherPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: return onInit(hwnd);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC hdc = BeginPaint(hwnd, &ps);
            drawPageFrames(hwnd, hdc);
            EndPaint(hwnd, &ps);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: return plainColours((HDC)wParam);
        case WM_NOTIFY: return answerSheetNotify(hwnd, lParam, apply);
        default: return FALSE;
    }
}
