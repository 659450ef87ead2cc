# Shared set-up for ./run and ./test: install what is missing, then build.
# Sourced, not run.

BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-speech-dev qt6-declarative-dev
                qt6-qpa-plugins qt6-speech-flite-plugin libgl-dev fonts-dejavu-core)
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

# build DIR [extra cmake arguments...]
build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel "$(nproc)"
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
