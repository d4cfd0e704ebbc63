// The plot editor's writers. Each runs the file dialogue and writes one
// file from the plot state; messages go to the message line.
#pragma once

// F8 "GL" on a Smith chart: an HP-GL plot file NAME.PLT.
void write_smith_hpgl();
// F8 "GL" on a rectangular diagram: an HP-GL plot file NAME.PLT.
void write_rect_hpgl();
// F7 "Table": the plotted values as a framed table NAME.RPT.
void write_table_report();
