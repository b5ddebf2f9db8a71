#!/usr/bin/env bash
# `cmake --install` of the build folder BUILD_FOLDER into a fresh prefix: programs, desktop entry, icons,
# metainfo, manual pages and completion, accepted by their validators (exit status 77 where one is missing);
# manual page and completion know every option of the help; a first start opens the music folder.
set -uo pipefail
build=$1
id=io.github.quillmere.Tonewright
work=$(mktemp -d "${TMPDIR:-/tmp}/tonewright-install.XXXXXX")
program_pid= failures=0 skipped=0
trap '[ -z "$program_pid" ] || { kill "$program_pid"; wait "$program_pid"; } 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null || { echo "SKIP: $1 not installed (Debian $2)"; skipped=1; false; }; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
for file in bin/tonewright bin/tonewright-cli share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/man/man1/tonewright.1 share/man/man1/tonewright-cli.1 \
            share/bash-completion/completions/tonewright-cli; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for size in 48 128; do  # the width and height of a PNG are the 32-bit numbers at bytes 16 and 20
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "${w:-} ${h:-}" = "$size $size" ] || fail "the ${size} px icon is not ${size}x${size}: ${w:-} ${h:-}"
done

if have desktop-file-validate desktop-file-utils; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
  grep -qx 'Exec=tonewright %F' "$prefix/share/applications/$id.desktop" || fail "the entry does not hand over files"
fi
if have appstreamcli appstream; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate"; }
fi

cli=$prefix/bin/tonewright-cli page=$prefix/share/man/man1/tonewright-cli.1
command -v groff >/dev/null && for manual in "$page" "$prefix/share/man/man1/tonewright.1"; do
  warnings=$(groff -man -ww -z "$manual" 2>&1); [ -z "$warnings" ] || fail "groff warns about $(basename "$manual"): $warnings"
done
commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\( [a-z][a-z]*\)\?\)  .*/\1/p')
[ -n "$commands" ] || fail "no commands in the help"
while read -r command; do
  grep -q "^\.SS \"$command\"" "$page" || fail "the manual page has no section for $command"
  # shellcheck disable=SC2086
  options=$("$cli" $command --help | grep -o -- '--[a-z0-9][a-z0-9-]*' | sort -u)
  # shellcheck disable=SC1090,SC2086
  completed=$(source "$prefix/share/bash-completion/completions/tonewright-cli"
              COMP_WORDS=(tonewright-cli $command --); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
              _tonewright_cli; printf '%s\n' "${COMPREPLY[@]}")
  for option in $options; do
    grep -qF -- "${option//-/\\-}" "$page" || fail "the manual page lacks $option of $command"
    grep -qx -- "$option" <<<"$completed" || fail "the completion lacks $option of $command"
  done
done <<<"$commands"

# A first start (no settings) builds the music folder's tag list.
home=$work/home
mkdir -p "$home/.config" "$home/Klangarchiv" "$work/run" && chmod 700 "$work/run"
echo 'XDG_MUSIC_DIR="$HOME/Klangarchiv"' >"$home/.config/user-dirs.dirs"
python3 -c 'import sys; open(sys.argv[1], "wb").write((b"\xff\xfb\x90\x44" + bytes(413)) * 8)' "$home/Klangarchiv/Erstes Lied.mp3"
[ ! -e "$prefix/bin/tonewright.ini" ] || fail "a settings file before the first start"
version=$("$prefix/bin/tonewright" --version)
[ "$version" = "tonewright $("$cli" --version | cut -d' ' -f2)" ] || fail "tonewright --version says '$version'"
(cd "$work" && exec env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work/run" \
  QT_QPA_PLATFORM=offscreen "$prefix/bin/tonewright" >"$work/program.log" 2>&1) &
program_pid=$!
built=$work/run/tonewright/index.htm
for _ in $(seq 1 300); do
  [ -s "$built" ] && grep -qi '</html>' "$built" && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$built" ] || { cat "$work/program.log"; fail "the installed program built no tag list"; }
[ ! -s "$built" ] || grep -q 'Erstes Lied' "$built" ||
  fail "the first start did not open the music folder: $(grep -o '<title>.*</title>' "$built")"

[ "$failures" -eq 0 ] || exit 1
[ "$skipped" -eq 0 ] && echo "install tree complete" || exit 77
