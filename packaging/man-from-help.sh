#!/usr/bin/env bash
# Writes the manual page of a program from its own --help, so the two cannot
# drift apart. Usage: man-from-help.sh PROGRAM VERSION DATE OUT
#
# The help text is read as: "usage: NAME ARGS", a blank line, a one-line
# summary (the NAME line of the page), further paragraphs (DESCRIPTION), then
# sections headed "title:" at the start of a line. In a section, "  TERM  TEXT"
# (two blanks before and after TERM) is a tagged item, other indented lines are
# shown as they are. In a "commands:" section each line names a command, and
# that command's own "PROGRAM COMMAND --help" becomes a subsection.
set -euo pipefail
prog=$1 version=$2 date=$3 out=$4

# One line of text for roff: backslashes, minus signs, leading control chars.
esc() {
  local s=${1//\\/\\e}
  s=${s//-/\\-}
  [[ $s == [.\']* ]] && s="\\&$s"
  printf '%s\n' "$s"
}

mapfile -t top < <("$prog" --help)
[[ ${top[0]:-} == "usage: "* ]] || {
  echo "man-from-help: '$prog --help' does not start with 'usage: '" >&2
  exit 1
}
synopsis=${top[0]#usage: }
name=${synopsis%% *}
args=${synopsis#"$name"}
args=${args# }

# Body lines of one command's help (after its usage line), verbatim where indented.
command_body() {
  local line in_nf=0
  while IFS= read -r line; do
    if [[ -z $line ]]; then
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      echo .PP
    elif [[ $line == " "* ]]; then
      ((in_nf)) || { echo .RS 4; echo .nf; in_nf=1; }
      esc "$line"
    else
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      esc "$line"
    fi
  done < <("$prog" "$1" --help | tail -n +3)
  ((in_nf)) && { echo .fi; echo .RE; }
  return 0
}

{
  upper=$(tr '[:lower:]' '[:upper:]' <<<"$name")
  echo ".\\\" Generated from '$name --help' by packaging/man-from-help.sh; do not edit."
  echo ".TH $upper 1 \"$date\" \"$name $version\" \"User Commands\""
  echo .nh
  echo ".ad l"
  echo .SH NAME
  summary=${top[2]:-}
  summary=${summary%.}
  esc "$name - $summary"
  echo .SH SYNOPSIS
  echo ".B $(esc "$name")"
  esc "$args"

  section=description in_nf=0 item=0
  echo .SH DESCRIPTION
  esc "${top[2]:-}"
  echo .PP
  for ((i = 4; i < ${#top[@]}; i++)); do
    line=${top[i]}
    if [[ $line =~ ^([a-z][a-z ]*):$ ]]; then
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      section=${BASH_REMATCH[1]}
      echo ".SH $(tr '[:lower:]' '[:upper:]' <<<"$section")"
      item=0
    elif [[ -z $line ]]; then
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      item=0
      echo .PP
    elif [[ $section == commands && $line == "  "[^\ ]* ]]; then
      entry=${line#  }
      echo ".SS $(esc "${entry%% *}")"
      echo ".B $(esc "$name $entry")"
      echo .PP
      command_body "${entry%% *}"
    elif [[ $line =~ ^\ \ ([^ ].*[^ ]|[^ ])\ \ +([^ ].*)$ ]]; then
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      echo .TP
      echo ".B $(esc "${BASH_REMATCH[1]}")"
      esc "${BASH_REMATCH[2]}"
      item=1
    elif [[ $line == "    "* ]] && ((item)); then
      esc "${line#"${line%%[! ]*}"}"  # continues the item's text
    elif [[ $line == " "* ]]; then
      ((in_nf)) || { echo .RS 4; echo .nf; in_nf=1; }
      esc "${line#  }"
    else
      ((in_nf)) && { echo .fi; echo .RE; in_nf=0; }
      ((item)) && { echo .PP; item=0; }
      esc "$line"
    fi
  done
  ((in_nf)) && { echo .fi; echo .RE; }
  true
} >"$out.tmp"
mv "$out.tmp" "$out"
