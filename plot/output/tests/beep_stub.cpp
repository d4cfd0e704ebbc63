// Stand-in for the screen toolkit's beep while the streams are tested alone.
#include "screen_toolkit.h"

void sound_beep(int, int) {}
