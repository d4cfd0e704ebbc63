// Test stand-in for the toolkit's beep while the screen library is absent.
#include "screen_toolkit.h"

void sound_beep(int, int) {}
