// The screen "SELECT PORT INDICES": the two indices of the matrix element
// to plot.
#pragma once

// letter: the kind letter; i and j: the stored indices (read and written);
// n: the port count of the loaded file.
void select_port_indices(char letter, int& i, int& j, int n);

enum class IndexStep { MOVED, AT_LIMIT, NO_ACTION };

// What an extended key (its scan code) does to the active index x in 1..n:
// Up/Down by 1, PgUp/PgDn by the large step (1 below 5 ports, else 2),
// Alt+PgUp/Alt+PgDn by 1, Home to 1, End to n. A move stops at the limit;
// a move from the limit towards it is refused.
IndexStep step_port_index(int& x, int scan_code, int n);
