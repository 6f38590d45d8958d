# Sourced by the scripts that ask Debian's package archive for something
# (setup-deps.sh, build-libjpeg-mingw.sh). Needs root, like apt-get itself.
#
# A mirror can be half-synced for days: one index (seen: bookworm-security's
# i386 Packages.xz) comes back with the wrong size, and `apt-get update` then
# exits with 100 although every other list arrived. That alone must not stop
# a build: what decides is whether the packages then install, and apt-get
# install says so itself.
#
# torvane_apt_update WHO: runs `apt-get update`, once more after a pause of
# TORVANE_APT_RETRY_PAUSE seconds (default 10) when it fails, and then goes on
# with the lists that did arrive, after one line that names the indexes that
# did not. WHO starts that line ("setup-deps"). Always returns 0. The names
# of the indexes that failed are left in TORVANE_APT_FAILED_INDEXES (empty
# when the update succeeded).

torvane_apt_update() {
    local who=$1 log attempt status=0
    log=$(mktemp "${TMPDIR:-/tmp}/torvane-apt-update.XXXXXX")
    TORVANE_APT_FAILED_INDEXES=
    for attempt in 1 2; do
        if [[ $attempt == 2 ]]; then
            echo "$who: apt-get update failed ($status); trying again in ${TORVANE_APT_RETRY_PAUSE:-10} s"
            sleep "${TORVANE_APT_RETRY_PAUSE:-10}"
        fi
        if apt-get update -q >"$log" 2>&1; then status=0; else status=$?; fi
        cat "$log"
        [[ $status != 0 ]] || break
    done
    if [[ $status != 0 ]]; then
        # apt names each index it could not fetch on an "Err:" line:
        #   Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages
        TORVANE_APT_FAILED_INDEXES=$(sed -n 's/^Err:[0-9]* [^ ]* \(.*[^ ]\) *$/\1/p' "$log" | sort -u |
            paste -sd, - | sed 's/,/, /g')
        echo "$who: some package indexes could not be fetched" \
            "(${TORVANE_APT_FAILED_INDEXES:-apt-get update exited with $status}):" \
            "going on with the lists that did arrive"
    fi
    rm -f "$log"
    return 0
}
