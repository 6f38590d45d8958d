#!/usr/bin/env bash
# The setup starts, fades in to its first panel with the right geometry and
# colours, and Alt+E ends it with exit code 0.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_begin start

e2e_start
e2e_find_window
sleep 2.5 # the fade-in
e2e_client_rect
[[ $E2E_CW == 780 && $E2E_CH == 509 ]] || e2e_fail "client area is ${E2E_CW}x$E2E_CH, want 780x509"
# Header panel (40,31 712x41): navy, sampled left of the centred caption;
# waiting for it also waits for the first full paint.
e2e_wait_pixel welcome 60 50 0 0 128 5
e2e_dump_windows welcome

# The controls as Windows sees them: header panel with its caption, button
# bar, and the Next button where the pixel checks below expect it.
header 'Welcome' 5
e2e_wait_text $'^child\t[^\t]+\t40,451,713,32\t' 5
e2e_wait_text $'^child\t[^\t]+\t658,455,90,23\t&Next$' 5

# The program's own idea of where its client area is (ClientToScreen) must
# agree with the X window openbox placed, or every pixel probe would look in
# the wrong place. (xwininfo, not "xdotool getwindowgeometry": under openbox
# the latter adds the frame offset twice, e.g. 104,122 for a client at 103,102.)
info=$(xwininfo -id "$E2E_WIN")
X=$(awk -F: '/Absolute upper-left X/ {print $2+0}' <<<"$info")
Y=$(awk -F: '/Absolute upper-left Y/ {print $2+0}' <<<"$info")
WIDTH=$(awk -F: '/Width/ {print $2+0}' <<<"$info")
HEIGHT=$(awk -F: '/Height/ {print $2+0}' <<<"$info")
e2e_log "X window $E2E_WIN at $X,$Y size ${WIDTH}x$HEIGHT"
((X <= E2E_CX && Y <= E2E_CY && X + WIDTH >= E2E_CX + E2E_CW && Y + HEIGHT >= E2E_CY + E2E_CH)) ||
    e2e_fail "client area $E2E_CX,$E2E_CY ${E2E_CW}x$E2E_CH lies outside X window $X,$Y ${WIDTH}x$HEIGHT"

e2e_expect_pixel 740 40 0 0 128 0 "header right end"
# Window background.
e2e_expect_pixel 20 300 0 0 255 0 "window background"
e2e_expect_pixel 770 300 0 0 255 0 "window background right"
# Button bar (40,451 713x32): cream.
e2e_expect_pixel 300 467 255 251 240 0 "button bar"
e2e_expect_pixel 550 460 255 251 240 0 "button bar between the buttons"
# "&Next" at bar-relative 618,4 90x23 = client 658..747 x 455..477: lime
# outline, navy-ish inside.
for y in 460 466 472; do
    e2e_find_pixel_near 658 "$y" 0 255 0 1 || e2e_fail "no lime outline of Next near client 658,$y"
done
e2e_find_pixel_near 747 466 0 255 0 1 || e2e_fail "no lime outline of Next near client 747,466"
e2e_find_pixel_near 700 455 0 255 0 1 || e2e_fail "no lime outline of Next near client 700,455"
read -r r g b <<<"$(e2e_pixel 664 460)"
((r < 64 && g < 64 && b >= 96)) || e2e_fail "inside of Next at client 664,460 is ($r,$g,$b), want navy-ish"
e2e_log "inside of Next is ($r,$g,$b)"

e2e_key alt+e
e2e_expect_exit 0 10
