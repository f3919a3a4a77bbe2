# The shell suites' one way to report: fail records a failed check and goes
# on, die fails and stops, finish ends the script with their verdict.
# Sourced by tests/e2e/harness.sh and tests/cd/lib.sh.
failures=0
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failures=$((failures + 1))
}
die() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}
finish() {
    if ((failures)); then
        printf '%d check(s) failed\n' "$failures" >&2
        exit 1
    fi
    echo "all checks passed"
}
