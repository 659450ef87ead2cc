# Shared set-up for ./run and ./test: install what is missing, then build.
# Sourced, not run.

BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-speech-dev qt6-declarative-dev
                qt6-qpa-plugins qt6-speech-flite-plugin libgl-dev fonts-dejavu-core
                libfontconfig-dev)
TEST_PACKAGES=(python3 python3-aiosmtpd python3-pyftpdlib)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# What ./run needs: the program and the sample site it starts with.
PROGRAM_TARGETS=(brindlewick sample_site)

# configure DIR [extra cmake arguments...]
configure() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
}

# build DIR [extra cmake arguments...]: everything, tests and benchmarks too.
build() {
    configure "$@"
    cmake --build "$1" --parallel "$(nproc)"
}

# build_program DIR: the program and the sample site only, with ninja's
# progress shown (a configured folder configures itself again when needed).
build_program() {
    local dir=$1
    [ -f "$dir/build.ninja" ] || configure "$dir"
    cmake --build "$dir" --parallel "$(nproc)" --target "${PROGRAM_TARGETS[@]}"
}

# run_suite DIR: every test of the build in DIR; each test's whole output
# is kept in DIR/Testing/suite.xml. Skipped test functions are listed; with
# BW_NO_SKIPS=1 (set by CI, which installs every package) one fails the suite.
run_suite() {
    local dir=$1 status=0
    mkdir -p "$dir/Testing"
    local log
    log="$(cd "$dir" && pwd)/Testing/suite.xml"
    rm -f "$log"
    ctest --test-dir "$dir" --output-on-failure --parallel "${BW_TEST_PARALLEL:-$(nproc)}" \
          --output-junit "$log" || status=$?
    local skipped
    skipped=$(grep -oE '(^|<system-out>)SKIP +:.*' "$log" 2>/dev/null | sed 's/^<system-out>//' || true)
    if [ -n "$skipped" ]; then
        echo "Skipped tests:"
        echo "$skipped"
        if [ "${BW_NO_SKIPS:-0}" = 1 ]; then
            echo "Every package is installed here, so no test may skip." >&2
            status=1
        fi
    fi
    return $status
}

# inn2's set-up stops without a mail domain in /etc/news/inn.conf: the
# package is unpacked, the domain written, and its set-up run again. The
# tests start private instances of their own; the system's is not used.
ensure_news_server() {
    dpkg-query -W -f='${Status}' inn2 2>/dev/null | grep -q 'install ok installed' && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    echo "Installing: inn2"
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends inn2 || true
    if [ -f /etc/news/inn.conf ]; then
        $sudo sed -i 's/^#domain:.*/domain: example.com/' /etc/news/inn.conf
        $sudo dpkg --configure -a
    fi
}
