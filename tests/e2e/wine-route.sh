# Which Wine runs the scenarios, sourced by lib.sh before anything starts Wine.
#
#   win32  the shipped 32-bit build (build/cross) under wine32, win32 prefix
#   x64    the x86_64 build of the same sources (build/cross64) under wine64,
#          win64 prefix: for hosts that cannot execute 32-bit code at all
#
# ctest passes the route the native tree was configured with in
# TORVANE_E2E_ROUTE; a scenario run by hand asks scripts/host-route.sh (which
# honours TORVANE_WINE_ROUTE=x64). Sets E2E_ROUTE, E2E_PRISTINE_ROOT and the
# Wine environment; E2E_CROSS_DIR defaults to the route's cross tree.

if [[ -z ${TORVANE_E2E_ROUTE:-} ]]; then
    source "$E2E_SOURCE_DIR/scripts/host-route.sh"
    TORVANE_E2E_ROUTE=$(torvane_route)
fi
E2E_ROUTE=$TORVANE_E2E_ROUTE

case $E2E_ROUTE in
    win32)
        E2E_DEFAULT_CROSS_DIR=$E2E_SOURCE_DIR/build/cross
        E2E_PRISTINE_ROOT=$E2E_DIR/pristine
        export WINEARCH=win32
        ;;
    x64)
        E2E_DEFAULT_CROSS_DIR=$E2E_SOURCE_DIR/build/cross64
        E2E_PRISTINE_ROOT=$E2E_DIR/pristine64
        export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
        # Debian's wine and wine-stable (which wineboot calls) start wine32
        # whenever it is installed; here both must be the 64-bit loader.
        E2E_WINE64_BIN=$E2E_DIR/wine64-bin
        if [[ ! -x $E2E_WINE64_BIN/wine-stable ]]; then
            mkdir -p "$E2E_WINE64_BIN"
            printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$E2E_WINE64_BIN/wine.tmp.$$"
            chmod +x "$E2E_WINE64_BIN/wine.tmp.$$"
            cp "$E2E_WINE64_BIN/wine.tmp.$$" "$E2E_WINE64_BIN/wine-stable.tmp.$$"
            mv -f "$E2E_WINE64_BIN/wine.tmp.$$" "$E2E_WINE64_BIN/wine"
            mv -f "$E2E_WINE64_BIN/wine-stable.tmp.$$" "$E2E_WINE64_BIN/wine-stable"
        fi
        [[ -x /usr/lib/wine/wine64 ]] || { echo "FAIL: no /usr/lib/wine/wine64 (Debian package wine64)" >&2; exit 1; }
        case ":$PATH:" in *":$E2E_WINE64_BIN:"*) ;; *) export PATH=$E2E_WINE64_BIN:$PATH ;; esac
        ;;
    *)
        echo "FAIL: unknown Wine route '$E2E_ROUTE' (want win32 or x64)" >&2
        exit 1
        ;;
esac
