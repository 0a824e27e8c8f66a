// The colour picker. Three colours are kept while it is open: the result
// (what "Ok" hands back, the given colour until then), the base colour (the
// preset tapped or the numbers typed last, whose hue and saturation the
// lightness slider keeps) and the current colour (shown in the large swatch
// and taken by "Ok").
//
// Sections: state | opening and layout | the colour being made | events |
// painting | procedure
#include "dialogs/colour_picker.h"

#include "common/gdi_owner.h"
#include "dialogs/colour_convert.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_look.h"
#include "resources/resource_ids.h"
#include "state/app_state.h"
#include "storage/settings.h"

namespace {

// --- state --------------------------------------------------------------------

enum { MODE_FIELDS = 0, MODE_PRESETS = 1 };

constexpr COLORREF kThumbFill = 0xFAFAFA;
constexpr int kSliderTickStep = 30;  // a tick every eighth of the lightness scale
constexpr int kFieldDigits = 3;

const int kFieldIds[3] = {res::kIdColourRed, res::kIdColourGreen, res::kIdColourBlue};
const int kLabelIds[3] = {res::kIdColourRedLabel, res::kIdColourGreenLabel, res::kIdColourBlueLabel};

struct PickerState {
    HWND owner = nullptr;
    COLORREF result = 0;
    COLORREF base = 0;
    COLORREF current = 0;
    HslColour hsl;
    int mode = MODE_PRESETS;
    // The slider tells every move to the dialog; while the program places it
    // itself that move is not the user's and must not change the colour.
    bool placingSlider = false;
    // Likewise the fields change while the program fills them.
    bool fillingFields = false;
    bool dragging = false;
    POINT grab{};  // where the pen took the caption band, in client pixels
    DialogLook look;
    int bandHeight = 0;
    GdiObject<HBRUSH> hbrPresets[COLOUR_PRESET_COUNT];
    GdiObject<HBRUSH> hbrCurrent;
    GdiObject<HBITMAP> hbmPresetMode;  // shown in mode 1: the grid
    GdiObject<HBITMAP> hbmFieldMode;   // shown in mode 0: the red, green and blue bars
};

PickerState* stateOf(HWND hwnd) { return (PickerState*)GetWindowLongW(hwnd, DWL_USER); }

void releaseObjects(PickerState* s) {
    destroyDialogLook(&s->look);
    for (GdiObject<HBRUSH>& brush : s->hbrPresets) brush.reset();
    s->hbrCurrent.reset();
    s->hbmPresetMode.reset();
    s->hbmFieldMode.reset();
}

// --- opening and layout -----------------------------------------------------------

void moveChild(HWND dialog, int id, int x, int y) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// As wide as the preset grid with its left margin repeated on the right,
// centred over the owner, with the three fields centred in the new width.
void layoutPicker(HWND hwnd, PickerState* s) {
    RECT first = dialogItemRect(hwnd, res::kIdColourPresetFirst);
    RECT lastOfRow = dialogItemRect(hwnd, res::kIdColourPresetFirst + COLOUR_PRESET_COLUMNS - 1);
    int width = first.left + lastOfRow.right;
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    int height = frame.bottom - frame.top;
    RECT over{};
    if (!s->owner || !GetWindowRect(s->owner, &over)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    int x = over.left + ((over.right - over.left) - width) / 2;
    int y = over.top + ((over.bottom - over.top) - height) / 2;
    SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    for (int i = 0; i < 3; ++i) {
        RECT label = dialogItemRect(hwnd, kLabelIds[i]);
        RECT field = dialogItemRect(hwnd, kFieldIds[i]);
        int pairLeft = (width - (field.right - label.left)) / 2;
        moveChild(hwnd, kLabelIds[i], pairLeft, label.top);
        moveChild(hwnd, kFieldIds[i], pairLeft + (field.left - label.left), field.top);
    }
}

void makeObjects(HWND hwnd, PickerState* s) {
    createDialogLook(hwnd, &s->look);
    s->bandHeight = (int)(s->look.intCaptionHeight * 1.25);
    for (int i = 0; i < COLOUR_PRESET_COUNT; ++i) s->hbrPresets[i].reset(CreateSolidBrush(kColourPresets[i]));
    s->hbrCurrent.reset(CreateSolidBrush(s->current));
    int grid = bHiRes == 1 ? res::kBmpColourGridHiRes : res::kBmpColourGrid;
    int bars = bHiRes == 1 ? res::kBmpColourBarsHiRes : res::kBmpColourBars;
    s->hbmPresetMode.reset((HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(grid), IMAGE_BITMAP, 0, 0, 0));
    s->hbmFieldMode.reset((HBITMAP)LoadImageW(hInstance, MAKEINTRESOURCEW(bars), IMAGE_BITMAP, 0, 0, 0));
}

// Shows the mode's picture and its group of controls, hides the other group.
void showMode(HWND hwnd, PickerState* s) {
    HBITMAP picture = s->mode == MODE_PRESETS ? s->hbmPresetMode.get() : s->hbmFieldMode.get();
    SendDlgItemMessageW(hwnd, res::kIdColourMode, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)picture);
    int presets = s->mode == MODE_PRESETS ? SW_SHOW : SW_HIDE;
    int fields = s->mode == MODE_PRESETS ? SW_HIDE : SW_SHOW;
    // A field that keeps the focus while hidden would still take keys.
    HWND focus = GetFocus();
    for (int i = 0; i < 3; ++i) {
        if (fields == SW_HIDE && focus == GetDlgItem(hwnd, kFieldIds[i])) SetFocus(hwnd);
        ShowWindow(GetDlgItem(hwnd, kLabelIds[i]), fields);
        ShowWindow(GetDlgItem(hwnd, kFieldIds[i]), fields);
    }
    for (int id = res::kIdColourPresetFirst; id <= res::kIdColourPresetLast; ++id)
        ShowWindow(GetDlgItem(hwnd, id), presets);
}

// --- the colour being made ----------------------------------------------------------

void placeSlider(HWND hwnd, PickerState* s, double lightness) {
    s->placingSlider = true;
    SendDlgItemMessageW(hwnd, res::kIdColourSlider, TBM_SETPOS, TRUE, lightnessToSlider(lightness));
    s->placingSlider = false;
}

void setNumberText(HWND field, int value) {
    WCHAR text[8];
    int n = 0;
    WCHAR digits[4];
    int count = 0;
    do {
        digits[count++] = (WCHAR)(u'0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 3);
    while (count > 0) text[n++] = digits[--count];
    text[n] = 0;
    SetWindowTextW(field, text);
}

void fillFields(HWND hwnd, PickerState* s, COLORREF colour) {
    s->fillingFields = true;
    const int channels[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    for (int i = 0; i < 3; ++i) setNumberText(GetDlgItem(hwnd, kFieldIds[i]), channels[i]);
    s->fillingFields = false;
}

void showCurrentColour(HWND hwnd, PickerState* s, COLORREF colour) {
    s->current = colour;
    s->hbrCurrent.reset(CreateSolidBrush(colour));
    InvalidateRect(GetDlgItem(hwnd, res::kIdColourCurrent), nullptr, TRUE);
}

// --- events ---------------------------------------------------------------------------

// Each preset has its control, in order.
static_assert(res::kIdColourPresetLast - res::kIdColourPresetFirst + 1 == COLOUR_PRESET_COUNT);

void onPreset(HWND hwnd, PickerState* s, int index) {
    s->base = kColourPresets[index];
    s->hsl = colourToHsl(s->base);
    placeSlider(hwnd, s, s->hsl.L);
    showCurrentColour(hwnd, s, hslToColour(s->hsl));
    fillFields(hwnd, s, s->base);
}

void onSlider(HWND hwnd, PickerState* s) {
    if (s->placingSlider) return;
    int position = (int)SendDlgItemMessageW(hwnd, res::kIdColourSlider, TBM_GETPOS, 0, 0);
    s->hsl = colourToHsl(s->base);
    s->hsl.L = sliderToLightness(position);
    showCurrentColour(hwnd, s, hslToColour(s->hsl));
    fillFields(hwnd, s, s->current);
}

// One field as a channel value: its first three digits. The field always
// shows the value in use: an emptied one gets "0" (selected, so that the
// next digit typed replaces it) and one above 255 is brought back to "255".
int readField(HWND hwnd, PickerState* s, int id) {
    HWND field = GetDlgItem(hwnd, id);
    WCHAR text[16] = {};
    GetWindowTextW(field, text, 16);
    int value = 0;
    int digits = 0;
    for (int i = 0; text[i] && digits < kFieldDigits; ++i) {
        if (text[i] < u'0' || text[i] > u'9') continue;
        value = value * 10 + (text[i] - u'0');
        ++digits;
    }
    if (digits == 0 || value > 255) {
        if (value > 255) value = 255;
        s->fillingFields = true;
        setNumberText(field, value);
        if (digits == 0)
            SendMessageW(field, EM_SETSEL, 0, -1);
        else
            SendMessageW(field, EM_SETSEL, kFieldDigits, kFieldDigits);
        s->fillingFields = false;
    }
    return value;
}

void onFieldChanged(HWND hwnd, PickerState* s) {
    if (s->fillingFields) return;
    HWND focus = GetFocus();
    bool typing = false;
    for (int id : kFieldIds) typing = typing || focus == GetDlgItem(hwnd, id);
    if (!typing) return;
    int red = readField(hwnd, s, res::kIdColourRed);
    int green = readField(hwnd, s, res::kIdColourGreen);
    int blue = readField(hwnd, s, res::kIdColourBlue);
    s->base = RGB(red, green, blue);
    s->hsl = colourToHsl(s->base);
    placeSlider(hwnd, s, s->hsl.L);
    showCurrentColour(hwnd, s, s->base);
}

void onModePicture(HWND hwnd, PickerState* s) {
    s->mode = s->mode == MODE_PRESETS ? MODE_FIELDS : MODE_PRESETS;
    showMode(hwnd, s);
    setSettingInt(SETTING_COLORPICKERSELECTIONMODE, s->mode);
}

void finish(HWND hwnd, PickerState* s, bool accept) {
    if (accept) s->result = s->current;
    SHSipPreference(hwnd, SIP_DOWN);
    EndDialog(hwnd, accept ? IDOK : IDCANCEL);
}

// The dialog moves with the pen that holds its caption band, staying on the
// screen so that the band can always be taken again.
void onPenMove(HWND hwnd, PickerState* s, LPARAM lParam) {
    if (!s->dragging) return;
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = frame.left + (GET_X_LPARAM(lParam) - s->grab.x);
    int y = frame.top + (GET_Y_LPARAM(lParam) - s->grab.y);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (x > screen.right - width) x = screen.right - width;
    if (x < screen.left) x = screen.left;
    if (y > screen.bottom - height) y = screen.bottom - height;
    if (y < screen.top) y = screen.top;
    if (x == frame.left && y == frame.top) return;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(hwnd);
    if (s->owner) UpdateWindow(s->owner);
}

void onPenDown(HWND hwnd, PickerState* s, LPARAM lParam) {
    if (GET_Y_LPARAM(lParam) >= s->bandHeight) return;
    s->dragging = true;
    s->grab = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SetCapture(hwnd);
}

void onPenUp(HWND hwnd, PickerState* s) {
    if (!s->dragging) return;
    s->dragging = false;
    if (GetCapture() == hwnd) ReleaseCapture();
}

// --- painting ---------------------------------------------------------------------------

void onPaint(HWND hwnd, PickerState* s) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paintDialogFrame(dc, hwnd, nullptr, s->look.hfontCaption.get(), s->look.hbrBand.get(), s->bandHeight);
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT caption{0, 2, client.right, s->look.intCaptionHeight + 2};
    {
        SelectedObject selected(dc, s->look.hfontCaption.get());
        COLORREF oldColour = SetTextColor(dc, kDialogWhite);
        int oldMode = SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, u"Color Selector", -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SetBkMode(dc, oldMode);
        SetTextColor(dc, oldColour);
    }
    EndPaint(hwnd, &ps);
}

INT_PTR onControlColour(PickerState* s, HDC dc, HWND control) {
    int id = GetDlgCtrlID(control);
    if (id >= res::kIdColourPresetFirst && id <= res::kIdColourPresetLast)
        return (INT_PTR)s->hbrPresets[id - res::kIdColourPresetFirst].get();
    if (id == res::kIdColourCurrent) return (INT_PTR)s->hbrCurrent.get();
    SetTextColor(dc, 0x000000);
    SetBkMode(dc, TRANSPARENT);
    return (INT_PTR)GetStockObject(WHITE_BRUSH);
}

// The slider's thumb is the dialog's own: a light rectangle outlined in
// black; the control draws its channel and ticks.
LRESULT onSliderDraw(NMCUSTOMDRAW* draw) {
    if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->dwDrawStage != CDDS_ITEMPREPAINT || draw->dwItemSpec != TBCD_THUMB) return CDRF_DODEFAULT;
    GdiObject<HBRUSH> fill(CreateSolidBrush(kThumbFill));
    SelectedObject brush(draw->hdc, fill.get());
    SelectedObject pen(draw->hdc, GetStockObject(BLACK_PEN));
    Rectangle(draw->hdc, draw->rc.left, draw->rc.top, draw->rc.right - 1, draw->rc.bottom - 1);
    return CDRF_SKIPDEFAULT;
}

// --- procedure ------------------------------------------------------------------------------

BOOL onInit(HWND hwnd, PickerState* s) {
    SetWindowLongW(hwnd, DWL_USER, (LONG_PTR)s);
    layoutPicker(hwnd, s);
    HWND slider = GetDlgItem(hwnd, res::kIdColourSlider);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELONG(0, LIGHTNESS_SLIDER_MAX));
    SendMessageW(slider, TBM_SETTICFREQ, kSliderTickStep, 0);
    s->hsl = colourToHsl(s->base);
    placeSlider(hwnd, s, s->hsl.L);
    for (int id : kFieldIds) SendDlgItemMessageW(hwnd, id, EM_LIMITTEXT, kFieldDigits, 0);
    fillFields(hwnd, s, s->base);
    applyRoundedShape(hwnd);
    makeObjects(hwnd, s);
    int mode = MODE_PRESETS;
    getSettingInt(SETTING_COLORPICKERSELECTIONMODE, &mode);
    s->mode = mode == MODE_FIELDS ? MODE_FIELDS : MODE_PRESETS;
    showMode(hwnd, s);
    SetFocus(hwnd);
    return FALSE;
}

BOOL onCommand(HWND hwnd, PickerState* s, int id, int code) {
    if (id >= res::kIdColourPresetFirst && id <= res::kIdColourPresetLast) {
        if (code == STN_CLICKED) onPreset(hwnd, s, id - res::kIdColourPresetFirst);
        return TRUE;
    }
    switch (id) {
        case res::kIdColourMode:
            if (code == STN_CLICKED) onModePicture(hwnd, s);
            return TRUE;
        case res::kIdColourRed:
        case res::kIdColourGreen:
        case res::kIdColourBlue:
            if (code == EN_CHANGE) onFieldChanged(hwnd, s);
            return TRUE;
        case res::kIdOk: finish(hwnd, s, true); return TRUE;
        case res::kIdCancel:
        case IDOK:
        case IDCANCEL: finish(hwnd, s, false); return TRUE;
        default: return FALSE;
    }
}

INT_PTR answer(HWND hwnd, LRESULT result) {
    SetWindowLongW(hwnd, DWL_MSGRESULT, (LONG_PTR)result);
    return TRUE;
}

INT_PTR CALLBACK pickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) return onInit(hwnd, (PickerState*)lParam);
    PickerState* s = stateOf(hwnd);
    if (!s) return FALSE;
    switch (msg) {
        case WM_PAINT: onPaint(hwnd, s); return TRUE;
        case WM_ERASEBKGND: return TRUE;  // WM_PAINT covers the whole client
        // The focus stays on the dialog itself until the user picks a
        // control, so that opening it does not raise the input panel.
        case WM_SETFOCUS: return TRUE;
        case WM_CTLCOLORSTATIC: return onControlColour(s, (HDC)wParam, (HWND)lParam);
        case WM_COMMAND: return onCommand(hwnd, s, LOWORD(wParam), HIWORD(wParam));
        case WM_HSCROLL:
            if ((HWND)lParam == GetDlgItem(hwnd, res::kIdColourSlider)) onSlider(hwnd, s);
            return TRUE;
        case WM_NOTIFY: {
            NMHDR* header = (NMHDR*)lParam;
            if (header->idFrom != (UINT_PTR)res::kIdColourSlider || header->code != NM_CUSTOMDRAW) return FALSE;
            return answer(hwnd, onSliderDraw((NMCUSTOMDRAW*)lParam));
        }
        case WM_LBUTTONDOWN: onPenDown(hwnd, s, lParam); return TRUE;
        case WM_MOUSEMOVE: onPenMove(hwnd, s, lParam); return TRUE;
        case WM_LBUTTONUP: onPenUp(hwnd, s); return TRUE;
        case WM_CAPTURECHANGED: s->dragging = false; return TRUE;
        case WM_SETTINGCHANGE:
            // The input panel came up for a field: keep the dialog above it.
            if (wParam == SPI_SETSIPINFO) placeAboveInputPanel(hwnd);
            return FALSE;
        case WM_DESTROY: releaseObjects(s); return FALSE;
        default: return FALSE;
    }
}

}  // namespace

COLORREF pickColor(HWND owner, COLORREF colour) {
    PickerState state;
    state.owner = owner;
    state.result = colour;
    state.base = state.current = colour & 0xFFFFFF;
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(res::kDlgColourPicker), owner, pickerProc, (LPARAM)&state);
    // A dialog that never opened has nothing to free; one that did freed its
    // objects when it was destroyed.
    releaseObjects(&state);
    return state.result;
}
