# Prints a short readable summary of an SPAR.DAT file: the port count, the
# sweep and |S| in dB of the first column at the first and last frequency.
function db(re, im,   m) { m = sqrt(re * re + im * im); return m > 0 ? 20 * log(m) / log(10) : -400 }
function show(label, f,   q, line) {
    line = sprintf("  %-6s %12.6g Hz:", label, f)
    for (q = 1; q <= ports && q <= 4; q++) line = line sprintf("  |S%d1| %8.2f dB", q, col[q])
    print line
}
BEGIN { state = "freq"; blocks = 0 }
{
    if (state == "freq") {
        if (NF == 0) next
        f = $1 + 0; blocks++; if (blocks == 1) first_f = f; last_f = f
        state = "gap"; next
    }
    if (state == "gap") { state = "entries"; n = 0; next }
    if (state == "entries") {
        if (NF == 0) {
            if (blocks == 1) { for (p = 1; p * (p + 1) / 2 < n; p++); ports = p }
            # entry k of row q, column 1 is at index q*(q-1)/2 + 1
            for (q = 1; q <= ports; q++) col[q] = val[q * (q - 1) / 2 + 1]
            if (blocks == 1) for (q = 1; q <= ports; q++) first_col[q] = col[q]
            state = "freq"; next
        }
        n++; val[n] = db($1 + 0, $2 + 0); next
    }
}
END {
    if (blocks == 0) { print "  SPAR.DAT holds no frequency block"; exit 1 }
    printf "  %d port%s, %d frequenc%s from %g Hz to %g Hz\n", ports, ports == 1 ? "" : "s", blocks, blocks == 1 ? "y" : "ies", first_f, last_f
    last_col_saved = 1
    for (q = 1; q <= ports; q++) { lastc[q] = col[q]; col[q] = first_col[q] }
    show("first", first_f)
    for (q = 1; q <= ports; q++) col[q] = lastc[q]
    show("last", last_f)
}
