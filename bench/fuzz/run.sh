#!/usr/bin/env bash
# Builds the ID3v2.3 fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# it for a while. Usage: bench/fuzz/run.sh [seconds, default 60]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-60}"
work="$(mktemp -d "${TMPDIR:-/tmp}/tonewright-fuzz-XXXXXX")"
trap 'rm -rf "$work"' EXIT
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -I"$root" \
  "$here/ID3V230ReaderFuzz.cpp" \
  "$root"/formats/ID3V230Reader.cpp "$root"/formats/ID3V230Extract.cpp "$root"/formats/ID3V230Writer.cpp \
  "$root"/formats/ID3V230Rewrite.cpp "$root"/formats/Pictures.cpp "$root"/formats/FileIo.cpp \
  "$root"/formats/ID3V2Tag.cpp "$root"/formats/TextCodec.cpp "$root"/formats/FrameBodies.cpp \
  -o "$work/fuzz_id3v230"
mkdir -p "$work/corpus"
# A few sound tags to start from.
printf 'ID3\x03\x00\x00\x00\x00\x00\x0eTIT2\x00\x00\x00\x04\x00\x00\x00abc\xff\xfb\x90\x64' > "$work/corpus/title"
printf 'ID3\x03\x00\x40\x00\x00\x00\x2a\x00\x00\x00\x0a\x00\x00\x00\x00\x00\x00\x00\x00\x00\x05APIC\x00\x00\x00\x0e\x00\x00\x00image/jpg\x00\x03\x00J' > "$work/corpus/picture"
# Every version reaches the reader: ID3v2.2 (six-byte frame headers, PIC), ID3v2.4 (7-bit
# frame sizes, UTF-8, data-length indicator, unsynchronised frames, footer), and an
# unsynchronised ID3v2.3 tag with a UTF-16 text.
printf 'ID3\x02\x00\x00\x00\x00\x00\x1eTT2\x00\x00\x04\x00abcPIC\x00\x00\x08\x00JPG\x03d\x00J' > "$work/corpus/v22"
printf 'ID3\x04\x00\x10\x00\x00\x00\x26TIT2\x00\x00\x00\x04\x00\x00\x03abcTPE1\x00\x00\x00\x0a\x00\x03\x00\x00\x00\x05\x03\xff\x00x\x00\x3DI\x04\x00\x10\x00\x00\x00\x26' > "$work/corpus/v24"
printf 'ID3\x03\x00\x80\x00\x00\x00\x12TIT2\x00\x00\x00\x07\x00\x00\x01\xff\x00\xfea\x00' > "$work/corpus/v23unsync"
"$work/fuzz_id3v230" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=512 "$work/corpus"
