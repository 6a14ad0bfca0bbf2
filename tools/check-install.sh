#!/bin/sh
# Installs a build into a temporary prefix and checks what arrived: the
# programs, and for each editor built its desktop entry and icons, and a man
# page for each program. The desktop entries go through desktop-file-validate
# and the man pages through man --warnings where those are installed.
#   check-install.sh <build dir> [pixolin] [tilora]
# The editors named are the ones the build has; the others must not be there.
set -eu
build=$1
shift
editors="$*"
cmake=${CMAKE:-cmake}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "check-install: $*" >&2
    failures=$((failures + 1))
}

if ! "$cmake" --install "$build" --prefix "$prefix" >"$prefix/install.log" 2>&1; then
    cat "$prefix/install.log" >&2
    echo "check-install: cmake --install $build failed" >&2
    exit 1
fi

share=$prefix/share
for program in dotpress $editors; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
    [ -s "$share/man/man1/$program.1" ] || fail "share/man/man1/$program.1 is missing"
done
"$prefix/bin/dotpress" -? 2>/dev/null || fail "the installed dotpress -? failed"

for editor in $editors; do
    desktop=$share/applications/$editor.desktop
    svg=$share/icons/hicolor/scalable/apps/$editor.svg
    png=$share/icons/hicolor/48x48/apps/$editor.png
    if [ ! -s "$desktop" ]; then
        fail "share/applications/$editor.desktop is missing"
    else
        grep -qx "Exec=$editor %f" "$desktop" || fail "$editor.desktop does not start $editor"
        grep -qx "Icon=$editor" "$desktop" || fail "$editor.desktop does not name the icon $editor"
    fi
    grep -q '<svg' "$svg" 2>/dev/null || fail "the scalable icon $editor.svg is missing"
    # The installed editor answers without a display.
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/$editor" --version 2>/dev/null)
    case "$version" in "$editor "[0-9]*) ;; *) fail "the installed $editor --version printed '$version'" ;; esac
    # The PNG's header: the signature, then the IHDR chunk with the size.
    size=$(od -An -tx1 -j12 -N12 "$png" 2>/dev/null | tr -d ' \n')
    [ "$size" = 494844520000003000000030 ] ||
        fail "the 48x48 icon $editor.png is missing or not 48 x 48"
done

for editor in pixolin tilora; do
    case " $editors " in *" $editor "*) continue ;; esac
    for file in "$prefix/bin/$editor" "$share/applications/$editor.desktop" "$share/man/man1/$editor.1"; do
        [ ! -e "$file" ] || fail "${file#"$prefix"/} is installed, but $editor was not built"
    done
done

if command -v desktop-file-validate >/dev/null 2>&1; then
    for editor in $editors; do
        desktop=$share/applications/$editor.desktop
        [ -f "$desktop" ] || continue
        # Hints (such as two main categories) are fine; errors and warnings are not.
        if ! report=$(desktop-file-validate "$desktop" 2>&1) ||
            printf '%s\n' "$report" | grep -Eq ': (error|warning): '; then
            printf '%s\n' "$report" >&2
            fail "desktop-file-validate rejects $editor.desktop"
        fi
    done
fi

if command -v man >/dev/null 2>&1; then
    for program in dotpress $editors; do
        page=$share/man/man1/$program.1
        [ -f "$page" ] || continue
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || true
        if [ -n "$warnings" ]; then
            printf '%s\n' "$warnings" >&2
            fail "man reports warnings for $program.1"
        fi
    done
fi

if [ "$failures" -ne 0 ]; then
    echo "check-install: $failures failed" >&2
    exit 1
fi
echo "check-install: dotpress${editors:+ $editors} installed completely"
