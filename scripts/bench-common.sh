# shellcheck shell=bash
# Helpers of the benchmarks that run the real programs from outside
# (scripts/bench-outside, bench-soak, bench-scpi): sourced, not run.
# Expects "work" (a folder of the run's own) and "pids" (an array) set.

ticks="$(getconf CLK_TCK)"
# CPU time of a process, all threads, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Resident memory of a process, in KiB.
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"; }
load() { cut -d' ' -f1 /proc/loadavg; }
# The time the machine's host gave to others (a virtual machine's "steal"),
# all cores, in clock ticks.
steal_ticks() { awk '/^cpu / {print $9}' /proc/stat; }

# The latest "stats FRAMES DROPPED WAITING OWN STALL" line of a board's log.
stats_of() { grep '^stats' "$1" | tail -n1 | cut -d' ' -f2-; }

# list_boards N [FIRST]: N USB boards with one interface and its tty each,
# as the kernel lays them out, named ttyACM77, ttyACM78, ... (from ttyACM
# FIRST when given) with the USB serial numbers BENCH77, BENCH78, ...; their
# device nodes are /dev/shm/ttyACM77, ..., to be linked to the boards'
# pseudo-terminals. Needs a private mount namespace (unshare --mount) and
# root. Runs at the same time need other numbers: the ports' lock files are
# the machine's.
list_boards() {
    mount -t tmpfs bench-sys /sys/class/tty
    mount -t tmpfs bench-dev /dev/shm
    local i device tty
    local first="${2:-77}"
    for i in $(seq "$first" $((first + $1 - 1))); do
        device=/sys/class/tty/devices/usb1/1-$i
        tty="$device/1-$i:1.0/tty/ttyACM$i"
        mkdir -p "$tty"
        printf 'DEVTYPE=usb_device\nDRIVER=usb\n' >"$device/uevent"
        printf 'DEVTYPE=usb_interface\nDRIVER=cdc_acm\n' >"$device/1-$i:1.0/uevent"
        printf 'MAJOR=166\nMINOR=%d\nDEVNAME=shm/ttyACM%d\nID_VENDOR_ID=0d28\nID_MODEL_ID=0204\nID_SERIAL_SHORT=BENCH%d\n' \
            "$i" "$i" "$i" >"$tty/uevent"
        ln -s /sys/class/tty "$tty/subsystem"
        ln -s "devices/usb1/1-$i/1-$i:1.0/tty/ttyACM$i" "/sys/class/tty/ttyACM$i"
    done
    # libudev takes device paths outside the real sysfs only when told to.
    export SYSTEMD_DEVICE_VERIFY_SYSFS=0
}

# start_x: an X server of the run's own (Xvfb), DISPLAY set for the panel.
start_x() {
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="default.debug=false"
}

# start_board LOG PATH [ARGS...]: the virtualboard program presenting a
# board at PATH, its output in LOG; waits for PATH. Sets board_pid.
start_board() {
    local log="$1" path="$2"
    shift 2
    rm -f "$path"
    "$board" --link "$path" "$@" >"$log" 2>&1 &
    board_pid=$!
    pids+=("$board_pid")
    for _ in $(seq 100); do [ -e "$path" ] && break; sleep 0.05; done
}

# start_broker: a mosquitto of the run's own on loopback that logs every
# message it takes into $work/broker.log. Sets broker_port.
start_broker() {
    broker_port=$((20000 + RANDOM % 20000))
    printf 'user root\nlistener %s 127.0.0.1\nallow_anonymous true\nlog_dest file %s\nlog_type all\n' \
        "$broker_port" "$work/broker.log" >"$work/broker.conf"
    /usr/sbin/mosquitto -c "$work/broker.conf" >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
}

# median_of FILE COLUMN [DIVISOR]: "median (lowest to highest)" of a
# column of FILE, one line a run, each value divided by DIVISOR.
median_of() {
    sort -n -k"$2" "$1" | awk -v c="$2" -v s="${3:-1}" '{v[NR] = $c / s} END {
        printf "%.4g (%.4g to %.4g)", v[int((NR + 1) / 2)], v[1], v[NR] }'
}
