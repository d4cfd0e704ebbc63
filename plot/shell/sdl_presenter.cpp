#include "sdl_presenter.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <vector>

#include "key_codes.h"
#include "software_canvas.h"
#include "vga_palette.h"

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
constexpr Uint32 BLINK_MS = 265;

}  // namespace

SdlPresenter::~SdlPresenter() {
    close_window();
    if (audio_ != 0) SDL_CloseAudioDevice(audio_);
    SDL_Quit();
}

bool SdlPresenter::open_mode(int mode, int /*rows*/, VideoConfig& config) {
    switch (mode) {
        case VIDEO_TEXT_80:
        case VIDEO_DEFAULT_MODE:
            close_window();
            config = VideoConfig{640, 400, 80, 25, 16, 4, mode == VIDEO_TEXT_80 ? VIDEO_TEXT_80 : 3};
            return true;
        case VIDEO_VGA_640X480:
        case VIDEO_MAX_RESOLUTION:
            if (!open_window()) return false;
            config = VideoConfig{WIDTH, HEIGHT, 80, 30, 16, 4, VIDEO_VGA_640X480};
            return true;
        default:
            return false;
    }
}

bool SdlPresenter::open_window() {
    if (window_ != nullptr) return true;
    if (!video_ready_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        // Drivers that show nothing do not count as a display.
        const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
        if (driver == "offscreen" || driver == "dummy" || driver == "evdev") {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        video_ready_ = true;
    }
    SDL_DisplayMode display;
    scale_ = 1;
    if (SDL_GetDesktopDisplayMode(0, &display) == 0)
        scale_ = std::clamp(std::min((display.w - 32) / WIDTH, (display.h - 64) / HEIGHT), 1, 2);
    window_ = SDL_CreateWindow("mtlplot", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               WIDTH * scale_, HEIGHT * scale_, SDL_WINDOW_SHOWN);
    if (window_ == nullptr) return false;
    picture_ = SDL_CreateRGBSurfaceWithFormat(0, WIDTH, HEIGHT, 32, SDL_PIXELFORMAT_XRGB8888);
    if (picture_ == nullptr) {
        close_window();
        return false;
    }
    SDL_StartTextInput();
    return true;
}

void SdlPresenter::close_window() {
    if (picture_ != nullptr) SDL_FreeSurface(picture_);
    picture_ = nullptr;
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    window_ = nullptr;
    canvas_ = nullptr;
}

void SdlPresenter::present(const SoftwareCanvas& canvas) {
    canvas_ = &canvas;
    redraw();
}

void SdlPresenter::redraw() {
    if (window_ == nullptr || canvas_ == nullptr) return;
    const SoftwareCanvas& canvas = *canvas_;
    SDL_LockSurface(picture_);
    const int w = std::min(canvas.width(), WIDTH), h = std::min(canvas.height(), HEIGHT);
    for (int y = 0; y < HEIGHT; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture_->pixels) + y * picture_->pitch);
        for (int x = 0; x < WIDTH; ++x) {
            const Rgb& c = VGA_PALETTE[(x < w && y < h) ? canvas.pixel(x, y) : 0];
            row[x] = (Uint32{c.red} << 16) | (Uint32{c.green} << 8) | c.blue;
        }
    }
    // The text cursor: a blinking underline in the cell's text colour.
    if (canvas.cursor_visible() && blink_on_) {
        const int cw = canvas.cell_width(), ch = canvas.cell_height();
        const int x0 = (canvas.cursor_column() - 1) * cw, y0 = canvas.cursor_row() * ch - 2;
        const Rgb& c = VGA_PALETTE[canvas.text_color()];
        for (int y = std::max(0, y0); y < std::min(HEIGHT, y0 + 2); ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture_->pixels) + y * picture_->pitch);
            for (int x = std::max(0, x0); x < std::min(WIDTH, x0 + cw); ++x)
                row[x] = (Uint32{c.red} << 16) | (Uint32{c.green} << 8) | c.blue;
        }
    }
    SDL_UnlockSurface(picture_);
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (target == nullptr) return;
    SDL_Rect full{0, 0, WIDTH * scale_, HEIGHT * scale_};
    if (scale_ == 1) {
        SDL_BlitSurface(picture_, nullptr, target, nullptr);
    } else {
        SDL_BlitScaled(picture_, nullptr, target, &full);
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlPresenter::pump_events(int wait_ms, bool drop_repeats) {
    SDL_Event event;
    bool have = wait_ms < 0   ? SDL_WaitEvent(&event) != 0
                : wait_ms > 0 ? SDL_WaitEventTimeout(&event, wait_ms) != 0
                              : SDL_PollEvent(&event) != 0;
    while (have) {
        switch (event.type) {
            case SDL_QUIT:
                throw ProgramQuit{};
            case SDL_KEYDOWN:
                // The text of a dropped auto-repeat follows as its own event.
                drop_repeat_text_ = drop_repeats && event.key.repeat != 0;
                if (!drop_repeat_text_) translate_sdl_key(event.key.keysym.sym, event.key.keysym.mod, keys_);
                break;
            case SDL_TEXTINPUT:
                if (!drop_repeat_text_) translate_sdl_text(event.text.text, keys_);
                drop_repeat_text_ = false;
                break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                    event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                    redraw();
                break;
            default:
                break;
        }
        have = SDL_PollEvent(&event) != 0;
    }
}

void translate_sdl_key(SDL_Keycode sym, Uint16 mod, std::deque<int>& codes) {
    const bool shift = (mod & KMOD_SHIFT) != 0, ctrl = (mod & KMOD_CTRL) != 0,
               alt = (mod & KMOD_ALT) != 0;
    auto extended = [&codes](int scan) {
        codes.push_back(keys::EXTENDED);
        codes.push_back(scan);
    };
    if (sym >= SDLK_F1 && sym <= SDLK_F10) {
        const int n = static_cast<int>(sym - SDLK_F1);
        extended(alt ? keys::ALT_F1 + n : ctrl ? keys::CTRL_F1 + n : shift ? keys::SHIFT_F1 + n : keys::F1 + n);
        return;
    }
    if (sym == SDLK_F11 || sym == SDLK_F12) {
        const int n = sym == SDLK_F12 ? 1 : 0;
        extended(alt ? keys::ALT_F11 + n : ctrl ? keys::CTRL_F11 + n : shift ? keys::SHIFT_F11 + n : keys::F11 + n);
        return;
    }
    // Without NumLock the keypad's keys are the cursor and editing keys;
    // with it, their digits come as text.
    if ((mod & KMOD_NUM) == 0) {
        switch (sym) {
            case SDLK_KP_8: sym = SDLK_UP; break;
            case SDLK_KP_2: sym = SDLK_DOWN; break;
            case SDLK_KP_4: sym = SDLK_LEFT; break;
            case SDLK_KP_6: sym = SDLK_RIGHT; break;
            case SDLK_KP_7: sym = SDLK_HOME; break;
            case SDLK_KP_1: sym = SDLK_END; break;
            case SDLK_KP_9: sym = SDLK_PAGEUP; break;
            case SDLK_KP_3: sym = SDLK_PAGEDOWN; break;
            case SDLK_KP_0: sym = SDLK_INSERT; break;
            case SDLK_KP_PERIOD: sym = SDLK_DELETE; break;
            case SDLK_KP_5: extended(keys::KEYPAD_CENTRE); return;
            default: break;
        }
    }
    switch (sym) {
        case SDLK_UP: extended(keys::UP); return;
        case SDLK_DOWN: extended(keys::DOWN); return;
        case SDLK_LEFT: extended(keys::LEFT); return;
        case SDLK_RIGHT: extended(keys::RIGHT); return;
        case SDLK_HOME: extended(keys::HOME); return;
        case SDLK_END: extended(keys::END); return;
        case SDLK_PAGEUP: extended(alt ? keys::ALT_PGUP : keys::PGUP); return;
        case SDLK_PAGEDOWN: extended(alt ? keys::ALT_PGDN : keys::PGDN); return;
        case SDLK_INSERT: extended(keys::INSERT); return;
        case SDLK_DELETE: extended(keys::DELETE); return;
        case SDLK_RETURN: case SDLK_KP_ENTER: codes.push_back(keys::ENTER); return;
        case SDLK_ESCAPE: codes.push_back(keys::ESC); return;
        case SDLK_BACKSPACE: codes.push_back(keys::BACKSPACE); return;
        case SDLK_TAB: codes.push_back(9); return;
        default: break;
    }
    // Control letters, which give no text input.
    if (ctrl && !alt && sym >= SDLK_a && sym <= SDLK_z) codes.push_back(static_cast<int>(sym - SDLK_a) + 1);
}

void translate_sdl_text(const char* utf8, std::deque<int>& codes) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    while (*s != 0) {
        unsigned code = *s++;
        if (code >= 0xC0) {
            unsigned more = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : 1;
            code &= 0x3F >> more;
            for (; more > 0 && (*s & 0xC0) == 0x80; --more) code = (code << 6) | (*s++ & 0x3F);
            if (more > 0) continue;  // a cut sequence stands for nothing
        } else if (code >= 0x80) {
            continue;  // a stray continuation byte
        }
        if (code >= 32 && code < 127) codes.push_back(static_cast<int>(code));
        else if (code == 0xB5) codes.push_back(0xE6);
        else if (code == 0xB0) codes.push_back(0xF8);
        else if (code == 0x3A9) codes.push_back(0xEA);
    }
}

int SdlPresenter::read_key() {
    if (window_ == nullptr) {
        // No window (text mode): read from the console.
        const int c = std::cin.get();
        return c == EOF ? keys::ESC : (c == '\n' ? keys::ENTER : c);
    }
    wait_for_key();
    const int code = keys_.front();
    keys_.pop_front();
    return code;
}

void SdlPresenter::wait_for_key() {
    if (window_ == nullptr) return;
    while (keys_.empty()) {
        // Only a visible text cursor needs the clock (it blinks); otherwise
        // the program sleeps until the window has an event.
        const bool blinking = canvas_ != nullptr && canvas_->cursor_visible();
        pump_events(blinking ? static_cast<int>(BLINK_MS) : -1);
        const Uint32 now = SDL_GetTicks();
        if (blinking && now - blink_time_ >= BLINK_MS) {
            blink_time_ = now;
            blink_on_ = !blink_on_;
            redraw();
        }
    }
}

bool SdlPresenter::key_waiting() {
    if (window_ == nullptr) return true;
    pump_events(0);
    if (keys_.empty()) SDL_Delay(10);  // callers poll in a loop
    return !keys_.empty();
}

bool SdlPresenter::open_audio() {
    if (audio_tried_) return audio_ != 0;
    audio_tried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    SDL_AudioSpec have{};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 512;
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (audio_ == 0) return false;
    audio_rate_ = have.freq;
    SDL_PauseAudioDevice(audio_, 0);
    return true;
}

void SdlPresenter::beep(int frequency_hz, int duration_ms) {
    if (duration_ms <= 0) return;
    duration_ms = std::min(duration_ms, 10000);
    if (open_audio() && frequency_hz > 0 && frequency_hz < audio_rate_ / 2) {
        const int count = static_cast<int>(static_cast<long>(audio_rate_) * duration_ms / 1000);
        std::vector<Sint16> samples(static_cast<std::size_t>(count));
        const double half_period = audio_rate_ / (2.0 * frequency_hz);
        for (int i = 0; i < count; ++i)
            samples[i] = (static_cast<long>(i / half_period) % 2 == 0) ? 6000 : -6000;
        SDL_QueueAudio(audio_, samples.data(), static_cast<Uint32>(samples.size() * sizeof(Sint16)));
    }
    SDL_Delay(static_cast<Uint32>(duration_ms));
    // Keys that came during the tone are taken in order, but a held key's
    // auto-repeats are dropped: beeping keys cannot pile up behind the tones.
    if (window_ != nullptr) pump_events(0, true);
}

void SdlPresenter::console_line(const std::string& text) { std::cout << text << std::endl; }
