#!/usr/bin/env bash
# scripts/register-script-engine in a scratch prefix of its own: registering names the DLL for
# the script class (twice is harmless), --remove puts Wine's own object back (twice too), and
# prefixes outside the repository's build/ folder are refused untouched.
#   registration_test.sh DLL SCRATCH_PREFIX
set -uo pipefail
dll="$1"
export HARPIX_WINEPREFIX="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
register="$root/scripts/register-script-engine"
key='HKCR\CLSID\{810B5013-E88D-11d2-8BC1-00600893B1B6}\InprocServer32'
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The value `name` (empty for the default one) of the class's InprocServer32 key.
registered() {
  local args=(/ve)
  [ -n "$1" ] && args=(/v "$1")
  (
    source "$root/scripts/wine-env"
    "$harpix_wine" reg query "$key" "${args[@]}" 2>/dev/null | tr -d '\r' |
      sed -n 's/^ *[^ ].* REG_SZ *//p'
  )
}

expect_registered() {
  local server threading
  server="$(registered '')"
  threading="$(registered ThreadingModel)"
  [ "$server" = "$1" ] || fail "$2: the class is served by '$server', expected '$1'"
  [ "$threading" = "Both" ] || fail "$2: ThreadingModel is '$threading'"
}

expected_dll="Z:$(realpath "$dll" | tr '/' '\\')"
wine_own='C:\windows\system32\dmscript.dll'

"$register" "$dll" >/dev/null || fail "register"
expect_registered "$expected_dll" "after register"
"$register" "$dll" >/dev/null || fail "register again"
expect_registered "$expected_dll" "after registering again"
"$register" --remove >/dev/null || fail "--remove"
expect_registered "$wine_own" "after --remove"
"$register" --remove >/dev/null || fail "--remove again"
expect_registered "$wine_own" "after removing again"

"$register" "$root/no-such.dll" >/dev/null 2>&1 && fail "a missing DLL was registered"
"$register" >/dev/null 2>&1 && fail "no argument was accepted"

# Refused prefixes: outside the repository, the build folder itself, a way out through "..".
outside="$(mktemp -d)"
for prefix in "$outside/prefix" "$HOME/.wine" "$root/build" "$root/build/../escaped" "$root"; do
  message="$(HARPIX_WINEPREFIX="$prefix" "$register" "$dll" 2>&1 >/dev/null)"
  status=$?
  [ $status -eq 1 ] || fail "$prefix: exit status $status, expected 1"
  case "$message" in
    *"refusing to change the Wine prefix"*) ;;
    *) fail "$prefix: no refusal said: $message" ;;
  esac
done
[ -z "$(ls -A "$outside")" ] || fail "something was written outside: $(ls -A "$outside")"
rmdir "$outside"
[ -e "$root/escaped" ] && fail "a prefix was made at $root/escaped"

(source "$root/scripts/wine-env" && "$harpix_wineserver" -k >/dev/null 2>&1) || true
[ $failures -eq 0 ] && echo "registration: all checks passed"
exit $((failures > 0))
