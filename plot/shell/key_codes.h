// Key codes as read_key delivers them: a plain key is its character code;
// an extended key is announced by 0 (or 0xE0) and its scan code follows.
#pragma once

namespace keys {

constexpr int EXTENDED = 0;
constexpr int EXTENDED_E0 = 0xE0;

constexpr int BACKSPACE = 8;
constexpr int ENTER = 13;
constexpr int ESC = 27;

// Scan codes (second code of an extended key).
constexpr int F1 = 0x3B;
constexpr int F2 = 0x3C;
constexpr int F3 = 0x3D;
constexpr int F4 = 0x3E;
constexpr int F5 = 0x3F;
constexpr int F6 = 0x40;
constexpr int F7 = 0x41;
constexpr int F8 = 0x42;
constexpr int F9 = 0x43;
constexpr int F10 = 0x44;
constexpr int HOME = 0x47;
constexpr int UP = 0x48;
constexpr int PGUP = 0x49;
constexpr int LEFT = 0x4B;
constexpr int RIGHT = 0x4D;
constexpr int END = 0x4F;
constexpr int DOWN = 0x50;
constexpr int PGDN = 0x51;
constexpr int INSERT = 0x52;
constexpr int DELETE = 0x53;
// F1 with Shift, Ctrl and Alt; F2..F10 follow each in order.
constexpr int SHIFT_F1 = 0x54;
constexpr int CTRL_F1 = 0x5E;
constexpr int ALT_F1 = 0x68;
constexpr int SHIFT_F8 = SHIFT_F1 + 7;
constexpr int SHIFT_F9 = SHIFT_F1 + 8;
constexpr int CTRL_F8 = CTRL_F1 + 7;
constexpr int CTRL_F9 = CTRL_F1 + 8;
constexpr int ALT_F8 = ALT_F1 + 7;
constexpr int ALT_F9 = ALT_F1 + 8;
constexpr int ALT_PGUP = 0x99;
constexpr int ALT_PGDN = 0xA1;
// The keypad's 5 without NumLock; F11 and F12, with Shift, Ctrl and Alt.
constexpr int KEYPAD_CENTRE = 0x4C;
constexpr int F11 = 0x85;
constexpr int F12 = 0x86;
constexpr int SHIFT_F11 = 0x87;
constexpr int CTRL_F11 = 0x89;
constexpr int ALT_F11 = 0x8B;

// Scan code of function key F1..F10.
constexpr int function_key(int n) { return F1 + n - 1; }

// True for the first code of an extended key.
constexpr bool is_extended(int code) { return code == EXTENDED || code == EXTENDED_E0; }

}  // namespace keys
