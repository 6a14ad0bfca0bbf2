#!/bin/sh
# Installs the Debian packages the build needs, but only those that are missing,
# so running it again costs a few dpkg queries and nothing else.
# Those listed build the three programs; extra package names given as
# arguments are added (make test, make bench and make fuzz use this for what
# only they need).
set -eu

packages="cmake ninja-build g++ make qt6-base-dev libspng-dev $*"

if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "install-deps: not a Debian system; please install: $packages" >&2
    exit 0
fi

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"ok installed") ;;
        *) missing="$missing $package" ;;
    esac
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "install-deps: these packages are missing; as root, run:" >&2
    echo "  apt-get update && apt-get install -y$missing" >&2
    exit 1
fi

echo "install-deps: installing$missing" >&2
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
