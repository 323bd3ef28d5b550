#!/usr/bin/env bash
# scripts/setup.sh against stand-ins for dpkg-query, apt-get, sudo and id: quiet
# when nothing is missing, apt-get update only before an install, sudo only when
# not root, and a clear failure when it cannot install.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bin="$tmp/bin"
log="$tmp/log"
mkdir "$bin"
for tool in grep env; do ln -s "$(command -v "$tool")" "$bin/$tool"; done
cat >"$bin/dpkg-query" <<'STUB'
#!/bin/bash
pkg="${*: -1}"
[[ " ${MISSING:-} " == *" $pkg "* ]] && exit 1
printf 'install ok installed'
STUB
cat >"$bin/apt-get" <<STUB
#!/bin/bash
echo "apt-get \$* [\${DEBIAN_FRONTEND:-}]" >>"$log"
STUB
cat >"$bin/id" <<'STUB'
#!/bin/bash
echo "$FAKE_UID"
STUB
cat >"$bin/sudo-stub" <<STUB
#!/bin/bash
# Like sudo: the caller's environment does not pass through.
echo "sudo" >>"$log"
exec /usr/bin/env -i PATH="\$PATH" "\$@"
STUB
chmod +x "$bin"/*

fail() {
  echo "FAIL: $*" >&2
  [ -f "$log" ] && sed 's/^/  log: /' "$log" >&2
  exit 1
}
# The log holds exactly the given calls in order. "apt-get WHAT [PACKAGES]"
# matches a call with that subcommand, ending in those packages, non-interactive.
calls() {
  local expected=("$@") i=0 line
  [ "$(wc -l <"$log")" -eq ${#expected[@]} ] || return 1
  while IFS= read -r line; do
    local words=(${expected[i]})
    i=$((i + 1))
    if [ "${words[0]}" = sudo ]; then
      [ "$line" = sudo ] || return 1
      continue
    fi
    [[ "$line" == "apt-get "* && " $line " == *" ${words[1]} "* ]] || return 1
    local tail="${words[*]:2} [noninteractive]"
    [[ "$line" == *" ${tail# }" ]] || return 1
  done <"$log"
}
run() {  # run UID MISSING -> status; output in $tmp/out
  rm -f "$log"
  set +e
  PATH="$bin" FAKE_UID="$1" MISSING="$2" "$BASH" "$src/scripts/setup.sh" >"$tmp/out" 2>&1
  status=$?
  set -e
}

run 0 ""
[ "$status" -eq 0 ] || fail "all present: exit $status"
[ ! -s "$tmp/out" ] || fail "all present: not quiet: $(cat "$tmp/out")"
[ ! -f "$log" ] || fail "all present: apt-get was called"

run 0 "xdotool cmake"
[ "$status" -eq 0 ] || fail "root install: exit $status"
calls "apt-get update" "apt-get install cmake xdotool" || fail "root install: unexpected calls"

ln -s sudo-stub "$bin/sudo"
run 1000 "xdotool"
[ "$status" -eq 0 ] || fail "sudo install: exit $status"
calls sudo "apt-get update" sudo "apt-get install xdotool" || fail "sudo install: unexpected calls"

rm "$bin/sudo"
run 1000 "xdotool"
[ "$status" -ne 0 ] || fail "no sudo: reported success"
grep -q "xdotool" "$tmp/out" || fail "no sudo: message does not name the package"
[ ! -f "$log" ] || fail "no sudo: apt-get was called"
echo "setup.sh: ok"
