// Keys and tones, through the presenter that shows the screen. Every call
// first shows the screen as it is drawn.
#pragma once

int read_key();  // waits; 0 or 0xE0 announce an extended key
bool key_waiting();
void wait_for_key();  // sleeps until a key can be read, without taking it
void beep(int frequency_hz, int duration_ms);
