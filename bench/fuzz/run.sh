#!/usr/bin/env bash
# Builds one fuzz target with clang (libFuzzer, AddressSanitizer, UBSan) and runs it for a
# while. A target is a file <Name>Fuzz.cpp beside this script, built with every source of
# formats/ (WholeSave also with core/, reports/ and tagging/, which have no Qt); its name
# is given without "Fuzz.cpp".
#
#   bench/fuzz/run.sh [target] [seconds]     target: ID3V230Reader (the default),
#                                            MP3HeadReader, ID3V111Reader, WholeSave
#   bench/fuzz/run.sh 120                    the default target for 120 s
#
# Needs clang, libclang-rt-14-dev and zlib1g-dev (apt-get). Findings (crash-*, leak-*, timeout-*) and
# the grown corpus are kept in $FUZZ_OUT (default: a new folder under $TMPDIR), whose
# path is printed at the end.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
target="ID3V230Reader"
if [[ $# -gt 0 && ! "$1" =~ ^[0-9]+$ ]]; then
  target="$1"
  shift
fi
seconds="${1:-60}"
source="$here/${target}Fuzz.cpp"
if [[ ! -f "$source" ]]; then
  echo "no fuzz target $target; there are:" $(cd "$here" && ls *Fuzz.cpp | sed 's/Fuzz\.cpp$//') >&2
  exit 2
fi
out="${FUZZ_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/tonewright-fuzz-$target-XXXXXX")}"
mkdir -p "$out/corpus"
layers=(formats)
if [[ "$target" == WholeSave ]]; then layers=(formats core reports tagging); fi
sources=()
for layer in "${layers[@]}"; do sources+=("$root/$layer"/*.cpp); done
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root" \
  "$source" "${sources[@]}" -lz -o "$out/fuzz_$target"

# A few sound files to start from.
put() { printf "$1"; }
zeros() { head -c "$1" /dev/zero; }
frame='\xff\xfb\x90\x64'  # MPEG-1 layer III, 128 kbit/s, 44.1 kHz, joint stereo
case "$target" in
  ID3V230Reader)
    put 'ID3\x03\x00\x00\x00\x00\x00\x0eTIT2\x00\x00\x00\x04\x00\x00\x00abc\xff\xfb\x90\x64' > "$out/corpus/title"
    put 'ID3\x03\x00\x40\x00\x00\x00\x2a\x00\x00\x00\x0a\x00\x00\x00\x00\x00\x00\x00\x00\x00\x05APIC\x00\x00\x00\x0e\x00\x00\x00image/jpg\x00\x03\x00J' > "$out/corpus/picture"
    # Every version reaches the reader: ID3v2.2 (six-byte frame headers, PIC), ID3v2.4 (7-bit
    # frame sizes, UTF-8, data-length indicator, unsynchronised frames, footer), and an
    # unsynchronised ID3v2.3 tag with a UTF-16 text.
    put 'ID3\x02\x00\x00\x00\x00\x00\x1eTT2\x00\x00\x04\x00abcPIC\x00\x00\x08\x00JPG\x03d\x00J' > "$out/corpus/v22"
    put 'ID3\x04\x00\x10\x00\x00\x00\x26TIT2\x00\x00\x00\x04\x00\x00\x03abcTPE1\x00\x00\x00\x0a\x00\x03\x00\x00\x00\x05\x03\xff\x00x\x00\x3DI\x04\x00\x10\x00\x00\x00\x26' > "$out/corpus/v24"
    put 'ID3\x03\x00\x80\x00\x00\x00\x12TIT2\x00\x00\x00\x07\x00\x00\x01\xff\x00\xfea\x00' > "$out/corpus/v23unsync"
    ;;
  WholeSave)
    # Tags a save must carry: frames no field stands for, a picture, an ID3v2.4 tag, a
    # tag with damaged bytes, and an ID3v1 block behind the audio.
    put 'ID3\x03\x00\x00\x00\x00\x00\x47TIT2\x00\x00\x00\x04\x00\x00\x00abcTXXX\x00\x00\x00\x05\x00\x00\x00k\x00vvPRIV\x00\x00\x00\x06\x00\x00o\x00\x01\x02\x03\x04APIC\x00\x00\x00\x10\x00\x00\x00image/png\x00\x03\x00PNG' > "$out/corpus/carried"
    put 'ID3\x04\x00\x00\x00\x00\x00\x1cTPE1\x00\x00\x00\x03\x00\x00\x03abTDRC\x00\x00\x00\x05\x00\x00\x002004' > "$out/corpus/v24"
    put 'ID3\x03\x00\x00\x00\x00\x00\x25TIT2\x00\x00\x00\x02\x00\x00\x00tPOPM\x00\x00\x00\xc8\x00\x00m\x00\xc4TALB\x00\x00\x00\x02\x00\x00\x00a' > "$out/corpus/damaged"
    { put 'ID3\x03\x00\x00\x00\x00\x00\x0eTIT2\x00\x00\x00\x04\x00\x00\x00abc'; put "$frame"; zeros 400
      put TAG; zeros 30; put Artist; zeros 24; zeros 30; put 1999; zeros 30; put '\x11'; } > "$out/corpus/v1"
    ;;
  MP3HeadReader)
    { put "$frame"; zeros 400; } > "$out/corpus/plain"
    { put 'ID3\x03\0\0\0\0\x01\x00'; zeros 128; put "$frame"; zeros 400; } > "$out/corpus/tagged"
    # Xing: flags 3, 1,000 frames, 400,000 bytes at the stereo place; Info at the mono place.
    { put "$frame"; zeros 32; put 'Xing\0\0\0\x03\0\0\x03\xe8\0\x06\x1a\x80'; zeros 400; } > "$out/corpus/xing"
    { put '\xff\xfb\x90\xc4'; zeros 17; put 'Info\0\0\0\x01\0\0\x03\xe8'; zeros 400; } > "$out/corpus/info"
    { put "$frame"; zeros 32; put 'VBRI\0\x01\0\0\0\x50\0\x06\x1a\x80\0\0\x03\xe8'; zeros 400; } > "$out/corpus/vbri"
    ;;
  ID3V111Reader)
    field() { put "$1"; zeros $(($2 - ${#1})); }
    { put "$frame"; zeros 400; put TAG; field Title 30; field Artist 30; field Album 30; put 2024
      field Comment 28; put '\0\x07\x11'; } > "$out/corpus/tag"
    ;;
esac
echo "fuzzing $target for $seconds s in $out"
"$out/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=1024 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus"
echo "corpus and findings: $out"
