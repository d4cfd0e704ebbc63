#!/usr/bin/env bash
# scripts/run-many on a folder of the examples plus one broken case: every
# case runs, the broken one does not stop the others, and the table names
# each with its exit status and diagnostic.
# Usage: run_many_test.sh RUN_MANY MTLNET EXAMPLES_DIR
set -u
run_many=$1 mtlnet=$2 examples=$3
# (the Slurm scripts are in $examples/cluster)
command -v parallel >/dev/null || { echo "GNU parallel is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cases=$work/cases
mkdir -p "$cases"
for example in "$examples"/*/; do
    [ -e "$example/NETINP.DAT" ] && cp -r "$example" "$cases/"
done
mkdir "$cases/broken case" "$cases/notes"
cp "$examples"/single_line_50ohm/*.DAT "$cases/broken case/"
printf '1\n1\n2.5E-7\n1.2e-10x\n0\n0\n1\n' > "$cases/broken case/LININP.DAT"
echo "not a case" > "$cases/notes/README"
count=$(find "$cases" -name NETINP.DAT | wc -l)

fail() { echo "FAIL: $*"; echo "$output"; exit 1; }

for extra in "" "--sshlogin : --jobs 1 --touchstone"; do
    # shellcheck disable=SC2086
    output=$("$run_many" --mtlnet "$mtlnet" $extra "$cases" 2>&1)
    status=$?
    [ $status -eq 1 ] || fail "exit status $status, expected 1 ($extra)"
    [ "$(head -n 1 <<< "$output")" = "CASE                STATUS  DIAGNOSTIC" ] || fail "header ($extra)"
    grep -qx 'broken case              1  mtlnet: LININP.DAT:4: expected a real number (matrix \[C\] of line 1), found "1.2e-10x"' <<< "$output" \
        || fail "the broken case's line ($extra)"
    for example in "$examples"/*/; do
        name=$(basename "$example")
        [ -e "$example/NETINP.DAT" ] || continue
        grep -Eqx "$name +0" <<< "$output" || fail "no line for $name ($extra)"
        [ -s "$cases/$name/SPAR.DAT" ] || fail "$name has no SPAR.DAT ($extra)"
    done
    grep -q notes <<< "$output" && fail "a folder without input files was run ($extra)"
    [ "$(tail -n 1 <<< "$output")" = "$count cases, $((count - 1)) completed, 1 failed" ] || fail "summary ($extra)"
done
[ -s "$cases/single_line_50ohm/NETWORK.s2p" ] || fail "--touchstone was not passed on"

# The Slurm job array's script, one task per case folder as Slurm runs it,
# and the table collected afterwards.
cluster=$examples/cluster
total=$(find "$cases" -mindepth 1 -maxdepth 1 -type d | wc -l)
for ((task = 0; task < total; task++)); do
    CASES_DIR=$cases MTLNET=$mtlnet SLURM_ARRAY_TASK_ID=$task "$cluster/run-cases.sbatch" > /dev/null 2>&1
done
output=$("$cluster/collect-status.sh" "$cases")
[ $? -eq 1 ] || fail "collect-status.sh: status"
grep -qx 'broken case                    1  mtlnet: LININP.DAT:4: expected a real number (matrix \[C\] of line 1), found "1.2e-10x"' <<< "$output" \
    || fail "collect-status.sh: the broken case"
grep -Eqx 'coupled_microstrip +0' <<< "$output" || fail "collect-status.sh: a good case"
grep -Eqx 'notes +1  mtlnet: CONFIG.DAT: cannot open .*' <<< "$output" || fail "collect-status.sh: the folder without input"

# Only good cases: status 0.
rm -rf "$cases/broken case"
"$run_many" --mtlnet "$mtlnet" "$cases" > /dev/null || fail "status $? without a broken case"
# A wrong command line: status 2 and the usage line.
output=$("$run_many" --jobs x "$cases" 2>&1)
[ $? -eq 2 ] && grep -q '^usage: run-many' <<< "$output" || fail "--jobs x"
echo "run-many: all cases checked"
