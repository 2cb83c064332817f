#!/usr/bin/env bash
# run.sh BUILD_DIR LIBDIR
# Installs everything into a temporary prefix, moves the installation
# elsewhere, and runs the programs from there with no LD_LIBRARY_PATH: they
# must find their libraries and data files relative to themselves, and the
# user's printer list in the user's data directory.
set -euo pipefail
build=$1 libdir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "relocated_install: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
prefix=$work/moved
unset LD_LIBRARY_PATH
export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"

# Only the public libraries (with their links) in the public directory.
while IFS= read -r library; do
  case $(basename "$library") in
    libheron.so* | libpelican.so* | libegret.so* | libravoio.so*) ;;
    *) fail "$library is in the public library directory" ;;
  esac
done < <(find "$prefix/$libdir" -maxdepth 1 -name '*.so*')

# Every program and library finds ours inside the moved prefix.
for binary in "$prefix"/bin/* "$prefix"/libexec/ravo-utility/RavoUtilityLabel \
  "$prefix/$libdir"/*.so.1.*; do
  [[ -L $binary ]] && continue
  resolved=$(ldd "$binary") || fail "ldd $binary"
  if grep -q 'not found' <<<"$resolved"; then fail "$binary: $(grep 'not found' <<<"$resolved")"; fi
  while read -r name _ path _; do
    case $name in
      libheron* | libpelican* | libegret* | libravoio*)
        [[ $path == "$prefix"/* ]] || fail "$binary takes $name from $path" ;;
    esac
  done <<<"$resolved"
done

"$prefix/bin/ravo" --help >/dev/null || fail "ravo --help"
"$prefix/bin/ravo-printer-sim" --help >/dev/null || fail "ravo-printer-sim --help"

# A list an older version kept beside the installed data files is taken
# over into the user's data directory and left as it was.
old=$prefix/libexec/ravo-utility/files/PrinterList.txt
printf 'TQM|NET|NET,127.0.0.1:9\r\n' >"$old"
"$prefix/bin/ravo" printers add TQX58 NET,127.0.0.1:9 >/dev/null || fail "ravo printers add"
list=$XDG_DATA_HOME/ravo-utility/PrinterList.txt
[[ $(tr -d '\r' <"$list") == $'TQM|NET|NET,127.0.0.1:9\nTQX58|NET|NET,127.0.0.1:9' ]] ||
  fail "the user's list holds: $(cat "$list")"
[[ $(tr -d '\r' <"$old") == 'TQM|NET|NET,127.0.0.1:9' ]] || fail "the old list was changed"

# The utility starts by the link in bin/ and reads the same list.
"$prefix/bin/RavoUtilityLabel" --language 1033 --screenshot "$work/shots" 2>"$work/utility.err" ||
  fail "RavoUtilityLabel: $(cat "$work/utility.err")"
[[ -s $work/shots/main-window.png ]] || fail "no picture of the main window"
[[ $(tr -d '\r' <"$list" | wc -l) == 2 ]] || fail "the utility changed the list: $(cat "$list")"
