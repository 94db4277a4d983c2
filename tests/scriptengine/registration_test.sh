#!/usr/bin/env bash
# scripts/register-script-engine in a scratch prefix of its own: registering names the DLL for
# the script class in the registry view of the DLL's build and leaves the other view alone
# (twice is harmless), --remove puts Wine's own object back (twice too), and prefixes outside
# the repository's build/ folder are refused untouched.
#   registration_test.sh DLL BITS SCRATCH_PREFIX     (BITS: 32 or 64, the DLL's build)
set -uo pipefail
dll="$1"
view="$2"
other_view=$((96 - view))
export HARPIX_WINEPREFIX="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
register="$root/scripts/register-script-engine"
key='HKCR\CLSID\{810B5013-E88D-11d2-8BC1-00600893B1B6}\InprocServer32'
failures=0

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# The value `name` (empty for the default one) of the class's InprocServer32 key in view $2.
registered() {
  local args=(/ve)
  [ -n "$1" ] && args=(/v "$1")
  (
    source "$root/scripts/wine-env"
    "$harpix_wine" reg query "$key" "${args[@]}" "/reg:$2" 2>/dev/null | tr -d '\r' |
      sed -n 's/^ *[^ ].* REG_SZ *//p'
  )
}

expect_registered() {
  local server threading other
  server="$(registered '' "$view")"
  threading="$(registered ThreadingModel "$view")"
  other="$(registered '' "$other_view")"
  [ "$server" = "$1" ] || fail "$2: the class is served by '$server', expected '$1'"
  [ "$threading" = "Both" ] || fail "$2: ThreadingModel is '$threading'"
  [ "$other" = "$wine_own" ] || fail "$2: the $other_view-bit view names '$other'"
}

# One Wine server for all the checks, as in the other tests, once the prefix is made.
(source "$root/scripts/wine-env" && harpix_ensure_prefix && harpix_keep_server) ||
  fail "the scratch prefix could not be made ready"

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
"$register" "${BASH_SOURCE[0]}" >/dev/null 2>&1 && fail "a file that is no DLL was registered"
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

(source "$root/scripts/wine-env" && harpix_end_server)
[ $failures -eq 0 ] && echo "registration: all checks passed"
exit $((failures > 0))
