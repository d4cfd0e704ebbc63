#!/bin/bash
# Prints the table of a finished job array of run-cases.sbatch: case, exit
# status and diagnostic, and how many failed. Usage: collect-status.sh CASES_DIR
set -u
cases_dir=${1:?usage: collect-status.sh CASES_DIR}
printf '%-24s  %6s  %s\n' CASE STATUS DIAGNOSTIC
failed=0 total=0
for case_dir in "$cases_dir"/*/; do
    total=$((total + 1))
    if [ -f "$case_dir/mtlnet.status" ]; then
        IFS=$'\t' read -r name status diagnostic < "$case_dir/mtlnet.status"
    else
        name=$(basename "$case_dir") status="-" diagnostic="not run (yet)"
    fi
    printf '%-24s  %6s  %s\n' "$name" "$status" "$diagnostic" | sed 's/ *$//'
    [ "$status" = 0 ] || failed=$((failed + 1))
done
echo "$total cases, $((total - failed)) completed, $failed failed or not run"
[ $failed -eq 0 ]
