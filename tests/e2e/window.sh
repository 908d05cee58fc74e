# The reservation screen opens borderless, 723 x 582, centred on the screen.
source "$(dirname "$0")/lib.sh"

start_terminal --new
read -r width height < <(xdpyinfo | awk '/dimensions:/ { split($2, size, "x"); print size[1], size[2] }')
geometry=$(xdotool getwindowgeometry "$window")
position=$(echo "$geometry" | sed -nE 's/.*Position: ([0-9]+),([0-9]+).*/\1 \2/p')
size=$(echo "$geometry" | sed -nE 's/.*Geometry: ([0-9]+x[0-9]+).*/\1/p')
expect_equal "$size" "723x582" "window size"
read -r x y <<<"$position"
expect_equal "$x $y" "$(((width - 723) / 2)) $(((height - 582) / 2))" "window position"
tap exit
expect_exit 1
echo "1 passed, 0 failed"
