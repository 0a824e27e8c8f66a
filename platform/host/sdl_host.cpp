// The SDL2 window host.
#include "platform/host/sdl_host.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>

#include "platform/host/host_options.h"
#include "platform/host/script.h"
#include "platform/host/window_fit.h"
#include "platform/host/window_icon.h"
#include "platform/gdi/bmp.h"
#include "platform/system/resource_table.h"
#include "platform/host/window_query.h"
#include "platform/shell/drop_files.h"
#include "platform/shell/menu_query.h"
#include "platform/shell/screen_follow.h"
#include "platform/shell/shell_system.h"
#include "platform/system/device_clock.h"
#include "platform/system/program_identity.h"
#include "platform/system/clipboard_host.h"
#include "platform/window/input.h"
#include "platform/window/screen.h"
#include "platform/window/window_system.h"

namespace device {

struct SdlHost::Impl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    SDL_Cursor* arrow = nullptr;
    SDL_Cursor* wait = nullptr;
    bool waitShown = false;
    int zoom = 1;
    FrameSize frame;  // the window manager's frame, once the window is shown
    bool penDown = false;
    // The right button is a tap-and-hold: the pen stays down at holdPt until
    // holdReleaseAt (device clock) or until a menu opened, whichever is first.
    bool holding = false;
    POINT holdPt{0, 0};
    uint64_t holdReleaseAt = 0;
    bool videoUp = false;
    bool iconSet = false;
    long uploaded = 0;

    POINT devicePoint(int wx, int wy) const {
        const ScreenConfig& c = screenConfig();
        return POINT{std::clamp(wx / zoom, 0, c.width - 1), std::clamp(wy / zoom, 0, c.height - 1)};
    }
    void render() {
        const ScreenConfig& c = screenConfig();
        SDL_Rect whole{0, 0, c.width * zoom, c.height * zoom};
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, &whole);
        SDL_RenderPresent(renderer);
    }
    bool makeTexture();
    void windowResized(int windowWidth, int windowHeight);
    void setIconOnce();
    FitArea usableArea() const;
    int zoomThatFits() const;
    void setZoom(int z);
    bool zoomKey(const SDL_Keysym& key);
    void handle(const SDL_Event& e);
};

namespace {

// The SDL event type of a raise request (0 until the video is up).
std::atomic<Uint32> g_raiseEvent{0};

// Milliseconds until the wall clock's next minute: the navigation bar's
// clock changes then even when no timer is due.
uint64_t msToNextMinute() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return (uint64_t)(60000 - ms % 60000) + 5;
}

// The device's text uses CR LF line ends, the desktop's LF.
std::u16string toDeviceLines(const std::u16string& s) {
    std::u16string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'\n' && (i == 0 || s[i - 1] != u'\r')) r += u'\r';
        r += s[i];
    }
    return r;
}

std::u16string toDesktopLines(const std::u16string& s) {
    std::u16string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') continue;
        r += s[i];
    }
    return r;
}

void installClipboard() {
    ClipboardHost c;
    c.publish = [](const std::u16string& text) { SDL_SetClipboardText(utf16ToUtf8(toDesktopLines(text)).c_str()); };
    c.fetch = [](std::u16string& text) {
        if (!SDL_HasClipboardText()) return false;
        char* t = SDL_GetClipboardText();
        if (!t) return false;
        std::u16string u;
        bool ok = utf8ToUtf16(t, u);
        SDL_free(t);
        if (!ok) return false;
        text = toDeviceLines(u);
        return true;
    };
    clipboardSetHost(std::move(c));
}

}  // namespace

int zoomKeyStep(int key, int modifiers) {
    if (!(modifiers & KMOD_CTRL)) return 0;
    switch (key) {
        case SDLK_PLUS:
        case SDLK_EQUALS:
        case SDLK_KP_PLUS: return 1;
        case SDLK_MINUS:
        case SDLK_KP_MINUS: return -1;
        case SDLK_0:
        case SDLK_KP_0: return kZoomFit;
        default: return 0;
    }
}

unsigned vkFromSdlKey(int key, bool ctrlHeld) {
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_TAB: return VK_TAB;
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_HOME: return VK_HOME;
        case SDLK_END: return VK_END;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT: return VK_MENU;
        case SDLK_CAPSLOCK: return VK_CAPITAL;
        default: break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (unsigned)(key - SDLK_F1);
    // Letters and digits with Ctrl are shortcuts, not text.
    if (ctrlHeld && key >= SDLK_a && key <= SDLK_z) return 'A' + (unsigned)(key - SDLK_a);
    if (ctrlHeld && key >= SDLK_0 && key <= SDLK_9) return '0' + (unsigned)(key - SDLK_0);
    return 0;
}

bool SdlHost::Impl::makeTexture() {
    const ScreenConfig& c = screenConfig();
    if (texture) SDL_DestroyTexture(texture);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, c.width, c.height);
    screenMarkAllDirty();
    return texture != nullptr;
}

// The device's screen follows the window, in device pixels at the zoom.
void SdlHost::Impl::windowResized(int windowWidth, int windowHeight) {
    if (screenFollowSize(windowWidth / zoom, windowHeight / zoom)) makeTexture();
    render();
}

// The program registers its pictures once it runs: the icon is set at the
// first picture shown after that.
void SdlHost::Impl::setIconOnce() {
    if (iconSet) return;
    const Resource* r = windowIconResource() ? resourceFind(kResBitmap, windowIconResource()) : nullptr;
    if (!r) return;
    iconSet = true;
    gdi::Surface picture;
    if (!gdi::decodeBmp((const uint8_t*)r->data, r->size, picture)) return;
    IconImage icon = iconFromPicture(picture, picture.width);
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.rgba.data(), icon.size, icon.size, 32, icon.size * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}

FitArea SdlHost::Impl::usableArea() const {
    int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) return FitArea{0, 0, 640, 480};
    return FitArea{r.x, r.y, r.w, r.h};
}

int SdlHost::Impl::zoomThatFits() const {
    const ScreenConfig& c = screenConfig();
    return fittingZoom(c.width, c.height, usableArea(), frame);
}

// A new zoom keeps the device's screen and resizes the window around it,
// centred again on the desktop.
void SdlHost::Impl::setZoom(int z) {
    zoom = z;
    const ScreenConfig& c = screenConfig();
    int smallest = smallestScreenSide() * zoom;
    SDL_SetWindowMinimumSize(window, smallest, smallest);
    SDL_SetWindowSize(window, c.width * zoom, c.height * zoom);
    WindowSpot spot = placeWindow(c.width * zoom, c.height * zoom, usableArea(), frame);
    SDL_SetWindowPosition(window, spot.x, spot.y);
    render();
}

// Ctrl++ and Ctrl+- step the zoom, Ctrl+0 goes back to the one that fits:
// the host's keys, which the device never sees.
bool SdlHost::Impl::zoomKey(const SDL_Keysym& key) {
    int step = zoomKeyStep(key.sym, key.mod);
    if (!step) return false;
    setZoom(step == kZoomFit ? zoomThatFits() : steppedZoom(zoom, step));
    return true;
}

void SdlHost::Impl::handle(const SDL_Event& e) {
    if (e.type == g_raiseEvent && e.type != 0) {
        // A second start on this root: this copy comes to the front instead.
        SDL_RestoreWindow(window);
        SDL_RaiseWindow(window);
        if (HWND main = programMainWindow()) SetForegroundWindow(main);
        return;
    }
    switch (e.type) {
        case SDL_MOUSEBUTTONDOWN: {
            POINT p = devicePoint(e.button.x, e.button.y);
            if (e.button.button == SDL_BUTTON_LEFT && !holding) {
                penDown = true;
                device::penDown(p.x, p.y);
            } else if (e.button.button == SDL_BUTTON_RIGHT && !penDown && !holding) {
                holding = true;
                holdPt = p;
                holdReleaseAt = clockNowMs() + holdTimeMs(false) + 50;
                device::penDown(p.x, p.y);
            }
            break;
        }
        case SDL_MOUSEMOTION:
            if (penDown && !holding) {
                POINT p = devicePoint(e.motion.x, e.motion.y);
                device::penMove(p.x, p.y);
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button == SDL_BUTTON_LEFT && penDown && !holding) {
                penDown = false;
                POINT p = devicePoint(e.button.x, e.button.y);
                device::penUp(p.x, p.y);
            }
            break;
        case SDL_DROPFILE: {
            // Dropped where the pointer is (the window has the pointer while
            // something is dragged onto it).
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            POINT p = devicePoint(x, y);
            if (e.drop.file) {
                // Where the pointer is not known (or is over the bars), the
                // program's main window takes it.
                RECT r{};
                HWND main = programMainWindow();
                if (!dropFiles(p.x, p.y, {e.drop.file}) && main && GetWindowRect(main, &r))
                    dropFiles((r.left + r.right) / 2, (r.top + r.bottom) / 2, {e.drop.file});
                SDL_free(e.drop.file);
            }
            break;
        }
        case SDL_MOUSEWHEEL: {
            int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            POINT p = devicePoint(x, y);
            if (notches) device::wheel(p.x, p.y, notches);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (e.type == SDL_KEYDOWN ? zoomKey(e.key.keysym) : zoomKeyStep(e.key.keysym.sym, e.key.keysym.mod)) break;
            bool ctrl = (e.key.keysym.mod & KMOD_CTRL) != 0;
            unsigned vk = vkFromSdlKey(e.key.keysym.sym, ctrl);
            if (!vk) break;
            if (e.type == SDL_KEYDOWN) {
                keyDown(vk);
            } else {
                keyUp(vk);
            }
            break;
        }
        case SDL_TEXTINPUT: {
            // A Ctrl combination is a shortcut (or a zoom key), never text.
            if (SDL_GetModState() & KMOD_CTRL) break;
            std::u16string text;
            if (utf8ToUtf16(e.text.text, text)) {
                for (char16_t c : text) typeChar(c);
            }
            break;
        }
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_EXPOSED) render();
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) windowResized(e.window.data1, e.window.data2);
            break;
        case SDL_QUIT:
            // Closing the desktop window ends the program as its own close would.
            if (HWND main = programMainWindow()) PostMessageW(main, WM_CLOSE, 0, 0);
            break;
        default: break;
    }
}

SdlHost::SdlHost() : d_(std::make_unique<Impl>()) {}

SdlHost::~SdlHost() { close(); }

bool SdlHost::open(const HostOptions& o, std::string& error) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = std::string("SDL cannot open the display: ") + SDL_GetError();
        return false;
    }
    d_->videoUp = true;
    if (g_raiseEvent == 0) {
        Uint32 type = SDL_RegisterEvents(1);
        if (type != (Uint32)-1) g_raiseEvent = type;
    }
    // Keep the device's pixels sharp when zoomed (read when the texture is made).
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const ScreenConfig& c = screenConfig();
    // Until the window manager has framed the window, guess a title bar and
    // thin borders.
    d_->frame = FrameSize{8, 40, 8, 8};
    d_->zoom = o.zoom ? o.zoom : d_->zoomThatFits();
    WindowSpot spot = placeWindow(c.width * d_->zoom, c.height * d_->zoom, d_->usableArea(), d_->frame);
    d_->window = SDL_CreateWindow(programIdentity().name.c_str(), spot.x, spot.y, c.width * d_->zoom,
                                  c.height * d_->zoom, SDL_WINDOW_RESIZABLE);
    if (d_->window) d_->renderer = SDL_CreateRenderer(d_->window, -1, 0);
    if (!d_->renderer || !d_->makeTexture()) {
        error = std::string("SDL cannot make the window: ") + SDL_GetError();
        close();
        return false;
    }
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(d_->window, &top, &left, &bottom, &right) == 0 && top + left + bottom + right > 0)
        d_->frame = FrameSize{left, top, right, bottom};
    d_->setZoom(o.zoom ? o.zoom : d_->zoomThatFits());
    d_->arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    d_->wait = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_StartTextInput();
    installClipboard();
    screenMarkAllDirty();
    return true;
}

void SdlHost::close() {
    if (!d_->videoUp) return;
    clipboardSetHost(ClipboardHost{});
    if (d_->arrow) SDL_FreeCursor(d_->arrow);
    if (d_->wait) SDL_FreeCursor(d_->wait);
    if (d_->texture) SDL_DestroyTexture(d_->texture);
    if (d_->renderer) SDL_DestroyRenderer(d_->renderer);
    if (d_->window) SDL_DestroyWindow(d_->window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    *d_ = Impl{};
}

bool SdlHost::waitForInput(std::optional<uint64_t> timeoutMs) {
    if (!d_->window) return false;
    uint64_t wait = std::min(timeoutMs.value_or(UINT64_MAX), msToNextMinute());
    if (d_->holding) {
        uint64_t now = clockNowMs();
        if (now >= d_->holdReleaseAt || popupMenuOpen()) {
            d_->holding = false;
            penUp(d_->holdPt.x, d_->holdPt.y);
            return true;
        }
        wait = std::min(wait, d_->holdReleaseAt - now);
    }
    SDL_Event e;
    // Sleeps in the event wait: no input and no timer, no CPU.
    if (SDL_WaitEventTimeout(&e, (int)std::min<uint64_t>(wait, INT_MAX))) {
        d_->handle(e);
        while (SDL_PollEvent(&e)) d_->handle(e);
    }
    return true;
}

void SdlHost::present(const gdi::Surface& screen, const std::vector<RECT>& dirty) {
    if (!d_->texture) return;
    d_->setIconOnce();
    for (const RECT& r : dirty) {
        if (r.right <= r.left || r.bottom <= r.top) continue;
        SDL_Rect sr{(int)r.left, (int)r.top, (int)(r.right - r.left), (int)(r.bottom - r.top)};
        const uint32_t* first = screen.row((int)r.top) + r.left;
        SDL_UpdateTexture(d_->texture, &sr, first, screen.width * (int)sizeof(uint32_t));
        ++d_->uploaded;
    }
    bool wait = waitCursorShowing();
    if (wait != d_->waitShown) {
        d_->waitShown = wait;
        SDL_SetCursor(wait ? d_->wait : d_->arrow);
    }
    d_->render();
}

void SdlHost::requestRaise() {
    SDL_Event e{};
    e.type = g_raiseEvent;
    if (e.type != 0) SDL_PushEvent(&e);
}

long SdlHost::uploadedRects() const { return d_->uploaded; }

}  // namespace device
