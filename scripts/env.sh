# Shared environment of the project's scripts: paths, the Wine prefix and the Japanese locale.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export KORVANT_ROOT="$root"
export KORVANT_BUILD="$root/build"
export WINEPREFIX="$KORVANT_BUILD/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$KORVANT_BUILD/locale"
# The Japanese locale once scripts/setup has made it (bash warns of a locale it cannot find).
korvant_use_locale() {
    [ -d "$LOCPATH/ja_JP.UTF-8" ] || return 0
    { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}
korvant_use_locale
# Runs scripts/setup, then takes the locale it may have just made: a script that sets up a
# fresh checkout must not go on without it (the ANSI code page follows it).
korvant_setup() {
    "$KORVANT_ROOT/scripts/setup" "$@" || return 1
    korvant_use_locale
}
# The settings file's Ver of this version (major * 100 + minor), from base/version.h.
KORVANT_VERSION_NUMBER=$(awk '/define KORVANT_VERSION_MAJOR/ { major = $3 }
    /define KORVANT_VERSION_MINOR/ { minor = $3 } END { print major * 100 + minor }' \
    "$root/base/version.h")
# Debian's python3 packages (pytest, PIL) are seen by the system interpreter only.
export KORVANT_PYTHON=/usr/bin/python3
# Every display item shown (MainListCheckMark): one mark per item of the default list in
# settings/settings.h, so that a new item needs no change in the scripts.
KORVANT_EVERY_ITEM_SHOWN=$(sed -n 's/.*displayMarks = L"\([01]*\)";.*/\1/p' \
    "$root/settings/settings.h" | tr 0 1)
[ -n "$KORVANT_EVERY_ITEM_SHOWN" ] || echo "env.sh: no displayMarks default found in settings/settings.h" >&2
