# The check runner both packaging tests share: a scratch folder removed at
# exit, and check DESCRIPTION COMMAND... counting what passed and failed.
# usage: source checks.sh NAME   (NAME labels the scratch folder)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/briskel-$1.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failures=0
checks=0
check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    checks=$((checks + 1))
    if "$@" >"$scratch/check.out" 2>&1; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        sed 's/^/     /' "$scratch/check.out"
        failures=$((failures + 1))
    fi
}
