# Helpers shared by the packaging tests; sourced, not run.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The tools come from Debian packages that scripts/setup.sh installs.
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/setup.sh installs it)"
    done
}

# An empty folder for this test alone, so tests can run side by side.
fresh_dir() {
    rm -rf "$1"
    mkdir -p "$1"
}

# Fails unless two listings are the same, showing how they differ.
same_lines() {
    what=$1
    expected=$2
    actual=$3
    diff -u "$expected" "$actual" >&2 || fail "$what differs from what was expected (- expected, + actual)"
}

# The program finds its drawing module from where it was installed: with no
# display to open, it gets as far as trying to open one.
finds_drawing_module() {
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" 2>&1 </dev/null) || true
    case $out in
    *"cannot open display"*) ;;
    *) fail "$1 did not get as far as opening a display: $out" ;;
    esac
}
