# Bash completion for tonewright-cli: commands, their options, picture types, and MP3
# files and folders. Load it with `source cli/tonewright-cli.bash`, or install it into
# /usr/share/bash-completion/completions/tonewright-cli (cmake --install does).
_tonewright_cli() {
  local cur prev command options
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  command=${COMP_WORDS[1]}
  if [ "$COMP_CWORD" -eq 1 ]; then
    COMPREPLY=($(compgen -W "info set remove fill rename merge undo taglist picture help --help --version" -- "$cur"))
    return
  fi
  case $command in
    info) options="--fields --header --recursive --help" ;;
    set) options="--title --artist --album --year --comment --track --genre --composer --original-artist --subtitle
                  --copyright --encoded-by --language --url --lyrics --picture --remove-picture --recursive --force
                  --dry-run --help" ;;
    remove) options="--v1 --v2 --both --picture --recursive --force --dry-run --help" ;;
    fill) options="--pattern --separator --skip --untagged-only --recursive --force --dry-run --help" ;;
    rename) options="--pattern --separator --playlist --recursive --dry-run --help" ;;
    merge) options="--output --separator --dry-run --help" ;;
    undo) options="--list --dry-run --help" ;;
    taglist) options="--recursive --view --lang --output --help" ;;
    picture)
      if [ "$COMP_CWORD" -eq 2 ]; then
        COMPREPLY=($(compgen -W "extract" -- "$cur"))
        return
      fi
      options="--type --output --force --help" ;;
    help) COMPREPLY=($(compgen -W "info set remove fill rename merge undo taglist picture" -- "$cur")); return ;;
  esac
  case $prev in
    --type|--remove-picture) COMPREPLY=($(compgen -W "front-cover back-cover leaflet-page media artist band other 3 4" -- "$cur")); return ;;
    --lang) COMPREPLY=($(compgen -W "de en" -- "$cur")); return ;;
    --view) COMPREPLY=($(compgen -W "album,year,comment,time,kbps,mode" -- "$cur")); return ;;
    --lyrics)
      # @FILE reads the lyrics from a file.
      if [[ $cur == @* ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -P @ -- "${cur#@}"))
      fi
      return ;;
    --title|--artist|--album|--year|--comment|--track|--genre|--composer|--original-artist|--subtitle|--copyright|\
    --encoded-by|--language|--url|--pattern|--separator|--skip) return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  else
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.[mM][pP]3' -- "$cur"))
  fi
}
complete -F _tonewright_cli tonewright-cli
