#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short, bounded
# time under AddressSanitizer and UndefinedBehaviorSanitizer; any finding
# fails. FUZZ_SECONDS (default 20) is each target's time.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DBW_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(fuzz_records fuzz_pages fuzz_text fuzz_socket_reply fuzz_replies fuzz_reports)
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
status=0
for t in "${targets[@]}"; do
    # Seeds: the fixture pages and the record files the tests write.
    mkdir -p "$work/$t"
    find tests/fixtures -type f -size -64k -exec cp -t "$work/$t" {} + 2>/dev/null || true
    echo "fuzzing $t for ${FUZZ_SECONDS:-20} s"
    if ! (cd "$work" && timeout $(( ${FUZZ_SECONDS:-20} + 60 )) "$OLDPWD/build-fuzz/fuzz/$t" \
            -max_total_time="${FUZZ_SECONDS:-20}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
            "$work/$t" > "$work/$t.log" 2>&1); then
        echo "fuzz: $t found a fault:"
        grep -A30 -m1 "ERROR\|runtime error\|deadly signal" "$work/$t.log" || tail -40 "$work/$t.log"
        status=1
    fi
done
exit $status
