#!/usr/bin/env bash
# A private CUPS scheduler with one PDF printer as its default queue, for
# testing real print jobs and for trying printing without a label printer.
#
# The scheduler gets its own configuration, spool and state in a temporary
# folder and listens only on a Unix socket there, so the machine's own CUPS
# (running or not) is never touched. Clients reach it through CUPS_SERVER.
# Jobs go through the cups-pdf backend, which writes one PDF per job into
# the output folder. The one file outside the temporary folder is the
# backend's configuration /etc/cups/cups-pdf-QUEUE.conf, named after the
# queue, which is unique per run and removed again by "stop".
#
# On request it also runs label printers with CUPS's sample drivers, whose
# jobs go through the usual filter chain (PDF, raster, printer language)
# into a file per queue in the temporary folder instead of to a device:
#   quillet-dymo    DYMO LabelWriter, 300 dpi
#   quillet-zebra   Zebra ZPL, 203 dpi
#
# Usage: pdfprinter.sh COMMAND [OPTIONS]
#   start [--out DIR] [--owner PID] [--no-queue] [--label-printers]
#       Start the scheduler and add the PDF printer as the default queue.
#       Prints "export NAME=VALUE" lines for CUPS_SERVER and the PDFPRINTER_*
#       variables that the other commands read (eval them in a shell).
#       --out DIR     write the job PDFs into DIR, which "stop" keeps
#                     (default: a temporary folder that "stop" removes)
#       --owner PID   stop by itself once process PID has ended
#       --no-queue    no PDF printer
#       --label-printers
#                     add the label printers too (PDFPRINTER_LABEL_QUEUES)
#   stop            stop the scheduler and remove everything "start" added
#   wait-idle [S]   wait at most S seconds (default 60) until no job is left
#   pdfs            list the job PDFs written so far, oldest first
#   job-pdf         print the path of the one job PDF; fail unless exactly one
#   job-count       number of jobs the scheduler took, finished or not
#   clear           remove the job PDFs and label printer output and
#                   forget the finished jobs
#   default QUEUE   make QUEUE the default printer
#   device-file QUEUE
#       print the path of the file holding what label printer QUEUE was
#       sent by its last job; fail when it has none
#   run [start options] -- COMMAND [ARG...]
#       start, run COMMAND with the printer as default, wait until idle,
#       list the job PDFs and stop; exits with COMMAND's status
#   shell [start options]
#       start and open a shell with the printer as default; leaving the
#       shell stops the printer (run by root through sudo, the shell is the
#       invoking user's)
# The commands after "start" find the printer through PDFPRINTER_STATE.
#
# Exit status: 0 on success, 1 on failure, 77 when this machine cannot run
# the printers at all (not root, CUPS, cups-pdf or the sample drivers
# missing), 2 for bad usage.
set -uo pipefail

readonly SKIP=77
readonly CLIENT_TIMEOUT=20
readonly START_TIMEOUT=30
readonly STOP_TIMEOUT=15
readonly CUPSD=/usr/sbin/cupsd
readonly BACKEND=/usr/lib/cups/backend/cups-pdf
readonly PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
readonly CUPS_PDF_CONF_DIR=/etc/cups
readonly LABEL_DRIVERS=(dymo zebra)
readonly SAMPLE_DRIVERS=/usr/share/cups/drv/sample.drv
readonly LABEL_FILTER=/usr/lib/cups/filter/rastertolabel

self=$(readlink -f "${BASH_SOURCE[0]}")

fail() {
    echo "pdfprinter: $*" >&2
    exit 1
}

unavailable() {
    echo "pdfprinter: cannot run a PDF printer here: $*" >&2
    exit "$SKIP"
}

usage() {
    sed -n '/^# Usage:/,/^set /p' "$self" | sed '$d; s/^# \{0,1\}//' >&2
    exit 2
}

# Runs a CUPS client with a time limit, so that a stuck scheduler can never
# hang the caller.
client() {
    timeout --kill-after=5 "$CLIENT_TIMEOUT" "$@"
}

load_state() {
    [[ -n ${PDFPRINTER_STATE:-} ]] || fail "PDFPRINTER_STATE is not set: run \"start\" first"
    [[ -f $PDFPRINTER_STATE/env ]] || fail "no PDF printer at $PDFPRINTER_STATE"
    # shellcheck source=/dev/null
    source "$PDFPRINTER_STATE/env"
}

print_env() {
    local name
    for name in CUPS_SERVER PDFPRINTER_STATE PDFPRINTER_QUEUE PDFPRINTER_OUT PDFPRINTER_LABEL_QUEUES; do
        printf 'export %s=%q\n' "$name" "${!name}"
    done
}

check_machine() {
    [[ $(id -u) -eq 0 ]] ||
        unavailable "needs root (the cups-pdf backend runs only as root and its configuration lives in $CUPS_PDF_CONF_DIR)"
    local tool
    for tool in "$CUPSD" lpadmin lpstat lp cancel ipptool timeout ps gs; do
        command -v "$tool" >/dev/null || unavailable "$tool is not installed"
    done
    [[ -x $BACKEND ]] || unavailable "the cups-pdf backend $BACKEND is not installed (printer-driver-cups-pdf)"
    [[ -r $PPD ]] || unavailable "the cups-pdf driver $PPD is not installed (printer-driver-cups-pdf)"
    [[ -d $CUPS_PDF_CONF_DIR && -w $CUPS_PDF_CONF_DIR ]] || unavailable "$CUPS_PDF_CONF_DIR is not writable"
}

check_label_drivers() {
    [[ -r $SAMPLE_DRIVERS ]] || unavailable "the sample label drivers $SAMPLE_DRIVERS are not installed (cups-common)"
    [[ -x $LABEL_FILTER ]] || unavailable "the label printer filter $LABEL_FILTER is not installed (cups)"
}

write_scheduler_config() {
    local state=$1
    mkdir -p "$state"/{etc/ppd,etc/ssl,spool,tmp,cache,run,log,cups-pdf/tmp,labels} ||
        fail "cannot create the folders of the scheduler in $state"
    # Filters run as lp and keep their temporary files here; Ghostscript
    # runs as the user who printed.
    chgrp lp "$state/tmp" && chmod 1770 "$state/tmp" && chmod 1777 "$state/cups-pdf/tmp" ||
        fail "cannot prepare the temporary folders in $state"
    cat >"$state/etc/jobs.test" <<'EOF'
{
  OPERATION Get-Jobs
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR keyword which-jobs not-completed
  ATTR keyword requested-attributes job-id,job-state,job-state-reasons,job-printer-state-message
  DISPLAY job-id
  DISPLAY job-state
  DISPLAY job-state-reasons
  DISPLAY job-printer-state-message
}
EOF
    cat >"$state/etc/cupsd.conf" <<EOF
Listen $CUPS_SERVER
LogLevel info
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$state/etc/cups-files.conf" <<EOF
ServerRoot $state/etc
RequestRoot $state/spool
TempDir $state/tmp
CacheDir $state/cache
StateDir $state/run
AccessLog $state/log/access_log
ErrorLog $state/log/error_log
PageLog $state/log/page_log
Printcap $state/run/printcap
ServerKeychain $state/etc/ssl
FileDevice Yes
SystemGroup root
EOF
}

write_backend_config() {
    local state=$1
    # Never take over the file of another printer.
    (set -C && cat >"$PDFPRINTER_CONF") <<EOF
# Private PDF printer $PDFPRINTER_QUEUE of $state, removed when it stops.
Out $PDFPRINTER_OUT
AnonDirName $PDFPRINTER_OUT
Spool $state/cups-pdf/spool
GSTmp $state/cups-pdf/tmp
Log $state/log
LogType 3
Label 1
TitlePref 1
Cut -1
UserUMask 0022
EOF
}

# A process that has ended but was not yet reaped counts as gone.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) && [[ $state != Z* ]]
}

wait_for_scheduler() {
    local pid=$1 deadline=$((SECONDS + START_TIMEOUT))
    while ((SECONDS < deadline)); do
        alive "$pid" || return 1
        [[ $(client lpstat -r 2>/dev/null) == "scheduler is running" ]] && return 0
        sleep 0.2
    done
    return 1
}

# Stops the scheduler started for the state in the environment (if any),
# removes the backend configuration and every temporary file. Safe to run
# on a half-started printer and more than once.
teardown() {
    local state=$PDFPRINTER_STATE pid
    # Process ids are checked against the command before any signal, in
    # case an id was freed and taken by another process.
    pid=${PDFPRINTER_WATCHDOG_PID:-}
    if [[ -n $pid && ${PDFPRINTER_IN_WATCHDOG:-} != 1 && $(ps -o args= -p "$pid") == *" watch "* ]]; then
        kill "$pid" 2>/dev/null
    fi
    if [[ -f $state/run/scheduler.pid ]]; then
        pid=$(<"$state/run/scheduler.pid")
        if [[ -n $pid ]] && alive "$pid" && [[ $(ps -o comm= -p "$pid") == cupsd ]]; then
            kill -TERM "$pid" 2>/dev/null
            local deadline=$((SECONDS + STOP_TIMEOUT))
            while alive "$pid" && ((SECONDS < deadline)); do
                sleep 0.2
            done
            kill -KILL "$pid" 2>/dev/null
        fi
    fi
    [[ -n ${PDFPRINTER_CONF:-} ]] && rm -f "$PDFPRINTER_CONF"
    [[ ${PDFPRINTER_OUT_OWNED:-} == 1 ]] && rm -rf "$PDFPRINTER_OUT"
    rm -rf "$state"
}

cmd_start() {
    local out="" owner="" queue=1 labels=0
    while (($#)); do
        case $1 in
        --out) out=${2:?--out needs a folder}; shift 2 ;;
        --owner) owner=${2:?--owner needs a process id}; shift 2 ;;
        --no-queue) queue=0; shift ;;
        --label-printers) labels=1; shift ;;
        *) usage ;;
        esac
    done
    check_machine
    ((labels)) && check_label_drivers

    # Short path: a Unix socket path must stay below 108 bytes.
    PDFPRINTER_STATE=$(mktemp -d /tmp/pdfprinter.XXXXXX) || fail "cannot create a temporary folder"
    trap 'teardown' EXIT
    trap 'exit 1' INT TERM HUP
    chmod 0755 "$PDFPRINTER_STATE"
    local suffix=${PDFPRINTER_STATE##*.}
    CUPS_SERVER=$PDFPRINTER_STATE/cups.sock
    PDFPRINTER_QUEUE=""
    PDFPRINTER_CONF=""
    PDFPRINTER_LABEL_QUEUES=""
    ((labels)) && PDFPRINTER_LABEL_QUEUES=$(printf 'quillet-%s ' "${LABEL_DRIVERS[@]}")
    PDFPRINTER_LABEL_QUEUES=${PDFPRINTER_LABEL_QUEUES% }
    if ((queue)); then
        PDFPRINTER_QUEUE=quillet-pdf-$suffix
        PDFPRINTER_CONF=$CUPS_PDF_CONF_DIR/cups-pdf-$PDFPRINTER_QUEUE.conf
    fi
    if [[ -n $out ]]; then
        PDFPRINTER_OUT_OWNED=0
        if [[ ! -d $out ]]; then
            mkdir -p "$out" || fail "cannot create $out"
            # A folder made for a user through sudo belongs to that user.
            [[ -n ${SUDO_UID:-} ]] && chown "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" "$out"
        fi
        PDFPRINTER_OUT=$(readlink -f "$out")
    else
        PDFPRINTER_OUT_OWNED=1
        PDFPRINTER_OUT=$PDFPRINTER_STATE/out
        # Jobs of any local user may land here, as in /tmp.
        mkdir -m 1777 "$PDFPRINTER_OUT" || fail "cannot create $PDFPRINTER_OUT"
    fi
    export CUPS_SERVER PDFPRINTER_STATE PDFPRINTER_QUEUE PDFPRINTER_OUT PDFPRINTER_LABEL_QUEUES
    {
        print_env
        printf 'PDFPRINTER_CONF=%q\nPDFPRINTER_OUT_OWNED=%q\n' "$PDFPRINTER_CONF" "$PDFPRINTER_OUT_OWNED"
    } >"$PDFPRINTER_STATE/env"

    write_scheduler_config "$PDFPRINTER_STATE"
    "$CUPSD" -f -c "$PDFPRINTER_STATE/etc/cupsd.conf" -s "$PDFPRINTER_STATE/etc/cups-files.conf" \
        </dev/null >>"$PDFPRINTER_STATE/log/cupsd.out" 2>&1 &
    echo $! >"$PDFPRINTER_STATE/run/scheduler.pid"
    if ! wait_for_scheduler $!; then
        tail -n 20 "$PDFPRINTER_STATE"/log/{cupsd.out,error_log} >&2 2>/dev/null
        fail "the scheduler did not start within $START_TIMEOUT s"
    fi

    if ((queue)); then
        if ! write_backend_config "$PDFPRINTER_STATE"; then
            PDFPRINTER_CONF=""
            fail "cannot create the backend configuration of $PDFPRINTER_QUEUE"
        fi
        # pdftocairo keeps the text of a PDF as text in the PostScript that
        # the backend turns back into PDF; a failing job is aborted rather
        # than stopping the queue with the job held in it.
        client lpadmin -p "$PDFPRINTER_QUEUE" -E -v "cups-pdf:/$PDFPRINTER_QUEUE" -P "$PPD" \
            -o pdftops-renderer-default=pdftocairo -o printer-error-policy=abort-job \
            >>"$PDFPRINTER_STATE/log/lpadmin.out" 2>&1 ||
            fail "cannot add the queue $PDFPRINTER_QUEUE: $(tail -n 3 "$PDFPRINTER_STATE/log/lpadmin.out")"
        client lpadmin -d "$PDFPRINTER_QUEUE" >>"$PDFPRINTER_STATE/log/lpadmin.out" 2>&1 ||
            fail "cannot make $PDFPRINTER_QUEUE the default printer"
        [[ $(client lpstat -d 2>/dev/null) == *": $PDFPRINTER_QUEUE" ]] ||
            fail "$PDFPRINTER_QUEUE did not become the default printer"
    fi
    local queue
    for queue in $PDFPRINTER_LABEL_QUEUES; do
        # The scheduler itself writes what the driver sends into the file.
        client lpadmin -p "$queue" -E -v "file://$(device_file "$queue")" \
            -m "drv:///sample.drv/${queue#quillet-}.ppd" -o printer-error-policy=abort-job \
            >>"$PDFPRINTER_STATE/log/lpadmin.out" 2>&1 ||
            fail "cannot add the label printer $queue: $(tail -n 3 "$PDFPRINTER_STATE/log/lpadmin.out")"
    done

    if [[ -n $owner ]]; then
        alive "$owner" || fail "no process $owner to watch"
        PDFPRINTER_IN_WATCHDOG=1 setsid "$self" watch "$owner" </dev/null >/dev/null 2>&1 &
        echo "PDFPRINTER_WATCHDOG_PID=$!" >>"$PDFPRINTER_STATE/env"
    fi
    trap - EXIT INT TERM HUP
    print_env
}

# Stops the printer once the process that owns it has gone, also when that
# process was killed and could not stop it itself.
cmd_watch() {
    local owner=$1
    trap '' HUP
    while alive "$owner" && [[ -f $PDFPRINTER_STATE/env ]]; do
        sleep 1
    done
    [[ -f $PDFPRINTER_STATE/env ]] && cmd_stop
}

cmd_stop() {
    load_state
    teardown
}

# Prints one line "id,state,reasons,message" per job not yet completed.
unfinished_jobs() {
    local server=${CUPS_SERVER//\//%2F}
    client ipptool -c "ipp://$server/jobs" "$PDFPRINTER_STATE/etc/jobs.test" | tail -n +2
}

cmd_wait_idle() {
    local limit=${1:-60}
    [[ $limit =~ ^[0-9]+$ ]] || usage
    load_state
    local deadline=$((SECONDS + limit)) jobs
    while :; do
        jobs=$(unfinished_jobs 2>&1) || fail "cannot list the jobs: $jobs"
        [[ -z $jobs ]] && return 0
        # A job that failed in a filter or waits for an operator never ends.
        if grep -qE '^[0-9]+,(processing-stopped|pending-held),' <<<"$jobs"; then
            echo "pdfprinter: a job cannot finish (id,state,reasons,message):" >&2
            echo "$jobs" >&2
            grep '^E ' "$PDFPRINTER_STATE/log/error_log" 2>/dev/null | tail -n 5 >&2
            exit 1
        fi
        ((SECONDS < deadline)) || break
        sleep 0.25
    done
    echo "pdfprinter: jobs left after $limit s (id,state,reasons,message):" >&2
    echo "$jobs" >&2
    exit 1
}

list_pdfs() {
    find "$PDFPRINTER_OUT" -maxdepth 1 -type f -name '*.pdf' -printf '%T@ %p\n' | sort -n | cut -d' ' -f2-
}

cmd_pdfs() {
    load_state
    list_pdfs
}

cmd_job_pdf() {
    load_state
    local pdfs
    mapfile -t pdfs < <(list_pdfs)
    ((${#pdfs[@]} == 1)) || fail "${#pdfs[@]} job PDFs in $PDFPRINTER_OUT, expected one"
    echo "${pdfs[0]}"
}

cmd_job_count() {
    load_state
    local jobs
    jobs=$(client lpstat -W all -o 2>&1) || fail "cannot list the jobs: $jobs"
    grep -c . <<<"$jobs" || true
}

cmd_clear() {
    load_state
    list_pdfs | while IFS= read -r pdf; do rm -f -- "$pdf"; done
    rm -f "$PDFPRINTER_STATE"/labels/*
    local queue
    for queue in $PDFPRINTER_QUEUE $PDFPRINTER_LABEL_QUEUES; do
        client cancel -a -x "$queue" >/dev/null 2>&1 || fail "cannot purge the jobs of $queue"
    done
}

label_queue() {
    [[ " $PDFPRINTER_LABEL_QUEUES " == *" $1 "* ]] || fail "no label printer $1 (started with --label-printers?)"
}

device_file() {
    echo "$PDFPRINTER_STATE/labels/$1"
}

cmd_default() {
    load_state
    client lpadmin -d "$1" >/dev/null 2>&1 && [[ $(client lpstat -d 2>/dev/null) == *": $1" ]] ||
        fail "cannot make $1 the default printer"
}

cmd_device_file() {
    load_state
    label_queue "$1"
    local file
    file=$(device_file "$1")
    [[ -s $file ]] || fail "label printer $1 has printed nothing since the last clear"
    echo "$file"
}

# Starts a printer owned by this process and stops it when this process ends.
start_owned() {
    local env
    env=$("$self" start "$@") || exit
    eval "$env"
    trap '"$self" stop' EXIT
    trap 'exit 1' INT TERM HUP
}

cmd_run() {
    local options=()
    while (($#)) && [[ $1 != -- ]]; do
        options+=("$1")
        shift
    done
    [[ ${1:-} == -- ]] || usage
    shift
    (($#)) || usage
    start_owned "${options[@]}"
    local status=0
    "$@" || status=$?
    "$self" wait-idle >&2 || status=1
    "$self" pdfs
    exit "$status"
}

cmd_shell() {
    start_owned "$@"
    cat >&2 <<EOF
PDF printer $PDFPRINTER_QUEUE is the default printer in this shell
(CUPS_SERVER=$CUPS_SERVER).
Every job becomes a PDF in $PDFPRINTER_OUT
Leave the shell (exit) to stop the printer.
EOF
    local shell=${SHELL:-/bin/bash}
    if [[ -n ${SUDO_USER:-} && $SUDO_USER != root ]] && command -v runuser >/dev/null; then
        runuser -u "$SUDO_USER" -- "$shell"
    else
        "$shell"
    fi
    # The shell's own status says nothing about the printer.
    exit 0
}

command=${1:-}
(($#)) && shift
case $command in
start) cmd_start "$@" ;;
stop) (($# == 0)) || usage; cmd_stop ;;
watch) (($# == 1)) || usage; load_state; cmd_watch "$1" ;;
wait-idle) (($# <= 1)) || usage; cmd_wait_idle "$@" ;;
pdfs) cmd_pdfs ;;
job-pdf) cmd_job_pdf ;;
job-count) cmd_job_count ;;
clear) cmd_clear ;;
default) (($# == 1)) || usage; cmd_default "$1" ;;
device-file) (($# == 1)) || usage; cmd_device_file "$1" ;;
run) cmd_run "$@" ;;
shell) cmd_shell "$@" ;;
*) usage ;;
esac
