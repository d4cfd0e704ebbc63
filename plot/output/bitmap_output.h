// Pixels of the plot area: saving them as a bitmap file, and the
// STORE/RECALL menu that keeps the diagram in memory while bitmap files are
// loaded, overlaid, saved and deleted.
#pragma once

// F9 "BMP" (inverted false) and Shift/Ctrl/Alt-F9 (inverted true): saves
// the plot area as NAME.BMP; the inverted variant holds the complemented
// colours while the screen keeps its own.
void write_bitmap_file(bool inverted);

// F6 "Memo": the STORE/RECALL menu. The diagram on the screen at entry is
// shown again on leaving. chooser_position is the file chooser's remembered
// list position (see choose_file).
void store_recall(int& chooser_position);
