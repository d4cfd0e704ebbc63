#include <gtest/gtest.h>

#include <deque>
#include <utility>

#include "key_codes.h"
#include "sdl_presenter.h"

namespace {

std::deque<int> key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
    std::deque<int> codes;
    translate_sdl_key(sym, mod, codes);
    return codes;
}

std::deque<int> text(const char* utf8) {
    std::deque<int> codes;
    translate_sdl_text(utf8, codes);
    return codes;
}

using Codes = std::deque<int>;

TEST(SdlKeys, FunctionKeysWithShiftCtrlAndAlt) {
    EXPECT_EQ(key(SDLK_F1), (Codes{0, keys::F1}));
    EXPECT_EQ(key(SDLK_F10), (Codes{0, keys::F10}));
    EXPECT_EQ(key(SDLK_F8, KMOD_LSHIFT), (Codes{0, keys::SHIFT_F8}));
    EXPECT_EQ(key(SDLK_F9, KMOD_RSHIFT), (Codes{0, keys::SHIFT_F9}));
    EXPECT_EQ(key(SDLK_F8, KMOD_LCTRL), (Codes{0, keys::CTRL_F8}));
    EXPECT_EQ(key(SDLK_F9, KMOD_RCTRL), (Codes{0, keys::CTRL_F9}));
    EXPECT_EQ(key(SDLK_F8, KMOD_LALT), (Codes{0, keys::ALT_F8}));
    EXPECT_EQ(key(SDLK_F9, KMOD_LALT), (Codes{0, keys::ALT_F9}));
}

TEST(SdlKeys, CursorAndEditingKeys) {
    EXPECT_EQ(key(SDLK_UP), (Codes{0, keys::UP}));
    EXPECT_EQ(key(SDLK_DOWN), (Codes{0, keys::DOWN}));
    EXPECT_EQ(key(SDLK_LEFT), (Codes{0, keys::LEFT}));
    EXPECT_EQ(key(SDLK_RIGHT), (Codes{0, keys::RIGHT}));
    EXPECT_EQ(key(SDLK_HOME), (Codes{0, keys::HOME}));
    EXPECT_EQ(key(SDLK_END), (Codes{0, keys::END}));
    EXPECT_EQ(key(SDLK_PAGEUP), (Codes{0, keys::PGUP}));
    EXPECT_EQ(key(SDLK_PAGEDOWN), (Codes{0, keys::PGDN}));
    EXPECT_EQ(key(SDLK_PAGEUP, KMOD_LALT), (Codes{0, 0x99}));
    EXPECT_EQ(key(SDLK_PAGEDOWN, KMOD_LALT), (Codes{0, 0xA1}));
    EXPECT_EQ(key(SDLK_INSERT), (Codes{0, keys::INSERT}));
    EXPECT_EQ(key(SDLK_DELETE), (Codes{0, keys::DELETE}));
    EXPECT_EQ(key(SDLK_RETURN), (Codes{13}));
    EXPECT_EQ(key(SDLK_KP_ENTER), (Codes{13}));
    EXPECT_EQ(key(SDLK_ESCAPE), (Codes{27}));
    EXPECT_EQ(key(SDLK_BACKSPACE), (Codes{8}));
    EXPECT_EQ(key(SDLK_a), Codes{});  // letters come as text
}

TEST(SdlKeys, F11AndF12AreKeysOfTheirOwn) {
    EXPECT_EQ(key(SDLK_F11), (Codes{0, keys::F11}));
    EXPECT_EQ(key(SDLK_F12), (Codes{0, keys::F12}));
    EXPECT_EQ(key(SDLK_F12, KMOD_LSHIFT), (Codes{0, 0x88}));
    EXPECT_EQ(key(SDLK_F11, KMOD_LCTRL), (Codes{0, 0x89}));
    EXPECT_EQ(key(SDLK_F12, KMOD_RALT), (Codes{0, 0x8C}));
}

TEST(SdlKeys, KeypadWithoutNumLockActsLikeTheCursorKeys) {
    const std::pair<SDL_Keycode, SDL_Keycode> twins[] = {
        {SDLK_KP_8, SDLK_UP},     {SDLK_KP_2, SDLK_DOWN},     {SDLK_KP_4, SDLK_LEFT},
        {SDLK_KP_6, SDLK_RIGHT},  {SDLK_KP_7, SDLK_HOME},     {SDLK_KP_1, SDLK_END},
        {SDLK_KP_9, SDLK_PAGEUP}, {SDLK_KP_3, SDLK_PAGEDOWN}, {SDLK_KP_0, SDLK_INSERT},
        {SDLK_KP_PERIOD, SDLK_DELETE}};
    for (const auto& [pad, twin] : twins) {
        EXPECT_EQ(key(pad), key(twin)) << SDL_GetKeyName(pad);
        EXPECT_EQ(key(pad, KMOD_LALT), key(twin, KMOD_LALT)) << SDL_GetKeyName(pad);
        EXPECT_EQ(key(pad, KMOD_NUM), Codes{}) << "digits come as text";
    }
    EXPECT_EQ(key(SDLK_KP_5), (Codes{0, keys::KEYPAD_CENTRE}));
    EXPECT_EQ(key(SDLK_KP_ENTER, KMOD_NUM), (Codes{13}));
}

TEST(SdlKeys, TypedText) {
    EXPECT_EQ(text("aZ5.-"), (Codes{'a', 'Z', '5', '.', '-'}));
    EXPECT_EQ(text("\xC2\xB5\xC2\xB0\xCE\xA9"), (Codes{0xE6, 0xF8, 0xEA}));  // µ ° Ω
    EXPECT_EQ(text("\xE2\x82\xAC"), Codes{});                                 // € has no key code
    EXPECT_EQ(text("\xC3"), Codes{});                                         // cut sequence
    EXPECT_EQ(text("\xE0\xA0x"), Codes{'x'});                                 // cut, not a blank
    EXPECT_EQ(text("\xA0"), Codes{});
}

}  // namespace
