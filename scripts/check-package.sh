#!/usr/bin/env bash
# Makes the Debian package of a configured build and checks that it holds what an installed
# program needs: the program behind its link, vorpel-cli, the companion files, the desktop entry
# with its icon, the metainfo and the manual page, and dependencies found by dpkg-shlibdeps.
set -euo pipefail
build=${1:-build/release}
cmake --build "$build" --target package >/dev/null
deb=$(ls "$build"/vorpel_*_*.deb | head -n 1)
listing=$(dpkg-deb -c "$deb")
status=0
for path in ./usr/bin/vorpel-cli ./usr/bin/Vorpel ./usr/lib/vorpel/Vorpel ./usr/lib/vorpel/Vorpel.htm \
    "./usr/lib/vorpel/Vorpel 0.txt" ./usr/lib/vorpel/help-pictures/block-wall.png \
    ./usr/share/applications/vorpel.desktop ./usr/share/icons/hicolor/64x64/apps/vorpel.png \
    ./usr/share/metainfo/org.vorpel.Vorpel.metainfo.xml ./usr/share/man/man1/vorpel-cli.1.gz; do
    if ! grep -q -F " $path" <<<"$listing"; then
        echo "missing from $deb: $path"
        status=1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-liberation libc6; do
    if ! grep -q -w "$needed" <<<"$depends"; then
        echo "$deb does not depend on $needed: $depends"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "package $deb: $(du -k "$deb" | cut -f1) KiB; depends on $depends"
exit "$status"
