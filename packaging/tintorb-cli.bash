# bash completion for tintorb-cli
# Commands and options are read from the program's own --help each time, so
# the completion knows every command of the installed program.

# The values that a command's --help lists after "LABEL:", on the same line or
# one per indented line below it (the first word of each).
_tintorb_cli_listed() {
  "$1" "$2" --help 2>/dev/null | awk -v label="$3:" '
    list { if (/^  [^ ]/) { print $1; next } exit }
    index($0, label) == 1 {
      rest = substr($0, length(label) + 1)
      if (rest ~ /[^ ]/) { print rest; exit }
      list = 1
    }'
}

_tintorb_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local prog=${COMP_WORDS[0]}
  COMPREPLY=()

  if ((COMP_CWORD == 1)); then
    local commands
    commands=$("$prog" --help 2>/dev/null | sed -n '/^commands:$/,/^$/s/^  \([^ ]*\).*/\1/p')
    mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
    return
  fi

  local synopsis
  synopsis=$("$prog" "${COMP_WORDS[1]}" --help 2>/dev/null | sed -n '1s/^usage: [^ ]* //p')
  # Values that the command's help lists: an option's, or its first argument's.
  local label= i first=1
  case ${COMP_WORDS[1]}:$prev in
    css:--form) label=Forms ;;
    copy:--tag) label="Tag actions" ;;
    copy:--literal) label="Literal actions" ;;
  esac
  for ((i = 2; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} == -* ]]; then
      [[ $synopsis =~ ${COMP_WORDS[i]}\ [A-Z] ]] && ((i++))
    else
      first=0
    fi
  done
  if [[ -z $label && $cur != -* && $prev != -* ]] && ((first)); then
    case ${COMP_WORDS[1]} in
      from) label=Models ;;
      scheme) label=Templates ;;
    esac
  fi
  if [[ -n $label ]]; then
    local listed
    listed=$(_tintorb_cli_listed "$prog" "${COMP_WORDS[1]}" "$label")
    mapfile -t COMPREPLY < <(compgen -W "$listed" -- "$cur")
    return
  fi

  # An option written "--opt A|B|C" in the synopsis takes one of those values.
  if [[ $prev == --* ]]; then
    local values
    values=$(grep -o -- "$prev [^ ]*|[^ ]*" <<<"$synopsis" | head -n1 | cut -d' ' -f2)
    if [[ -n $values ]]; then
      mapfile -t COMPREPLY < <(compgen -W "${values//|/ }" -- "$cur")
      return
    fi
    # Any other option that takes a value (an upper-case word after it) gets no guess.
    [[ $synopsis =~ $prev\ [A-Z] ]] && return
  fi
  if [[ $cur == -* ]]; then
    local options
    options=$(grep -o -- '--[a-z][a-z0-9-]*' <<<"$synopsis" | sort -u)
    mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$cur")
    return
  fi
  # Arguments are colours, numbers or files: offer files.
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  compopt -o filenames 2>/dev/null
}

complete -F _tintorb_cli tintorb-cli
