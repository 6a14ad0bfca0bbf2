#!/bin/sh
# Installs a build into a temporary prefix and checks what arrived: the
# programs, and for each editor built its desktop entry, icons and file types,
# and a man page for each program. The desktop entries go through
# desktop-file-validate, the file types through update-mime-database and gio
# (which must name sample files by their types and offer the editor for each,
# as a file manager would) and the man pages through man --warnings, where
# those are installed.
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
    [ -s "$share/mime/packages/$editor.xml" ] || fail "share/mime/packages/$editor.xml is missing"
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
    for file in "$prefix/bin/$editor" "$share/applications/$editor.desktop" "$share/man/man1/$editor.1" \
        "$share/mime/packages/$editor.xml"; do
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

# update-mime-database exits with 0 after XML that does not parse or a bad
# definition too; it prints nothing when all is well.
if [ -n "$editors" ] && command -v update-mime-database >/dev/null 2>&1; then
    errors=$(XDG_DATA_HOME=$share update-mime-database "$share/mime" 2>&1)
    [ -z "$errors" ] || fail "update-mime-database rejects the file types: $errors"
fi

# The desktop as a user of this prefix sees it, and nothing of this user's own.
desktop() {
    env PATH="$prefix/bin:$PATH" XDG_DATA_HOME="$share" XDG_DATA_DIRS=/usr/share \
        XDG_CONFIG_HOME="$prefix/config" XDG_CONFIG_DIRS="$prefix/config" GIO_USE_VFS=local "$@"
}
# editor, type, sample file, its first bytes (printf): known by name, and by
# content under a name that says nothing; a text that starts like a project
# stays text. The install built the caches gio reads with the two tools.
if command -v gio >/dev/null 2>&1 && command -v update-mime-database >/dev/null 2>&1 &&
    command -v update-desktop-database >/dev/null 2>&1; then
    samples=$prefix/samples
    mkdir "$samples"
    while read -r editor type name bytes; do
        case " $editors " in *" $editor "*) ;; *) continue ;; esac
        printf "$bytes" >"$samples/$name"
        found=$(desktop gio info -a standard::content-type "$samples/$name" | sed -n 's/^ *standard::content-type: //p')
        [ "$found" = "$type" ] || fail "$name is taken for '$found', not $type"
        [ "$type" = text/plain ] || desktop gio mime "$type" | head -n 1 | grep -q ": $editor\.desktop\$" ||
            fail "the desktop does not offer $editor for $type"
    done <<EOF
pixolin application/x-pixolin-library sprites.pxl \001
pixolin application/x-pixolin-library sprites PXL\003\000\000\000
pixolin application/x-pixolin-library none PXL\377\377\377\377
pixolin application/x-pixolin-sprite ship.pxs \001
pixolin application/x-pixolin-sprite ship PMSPR\000
tilora application/x-tilora-project level.tlp \001
tilora application/x-tilora-project level TLP\014\000\000\000\010\000\000\000
tilora text/plain notes TLP\040notes\n
EOF
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
