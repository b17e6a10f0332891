# Sourced by the test script: a CUPS server with a PDF queue as the default printer, so
# printing runs for real and its output can be read back (cups-pdf writes each job as a
# PDF in $HOME/PDF). quillet_stop_printer stops only a server started here.
QUILLET_PRINTER=QuilletPDF
QUILLET_CUPSD_PID=""

quillet_start_printer() {
    if ! lpstat -r >/dev/null 2>&1 || ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        mkdir -p /run/cups
        /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        QUILLET_CUPSD_PID=$!
        local i
        for i in $(seq 1 100); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    lpadmin -p "$QUILLET_PRINTER" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
    lpadmin -d "$QUILLET_PRINTER"
    mkdir -p "$HOME/PDF"
}

quillet_stop_printer() {
    if [ -n "$QUILLET_CUPSD_PID" ]; then
        kill "$QUILLET_CUPSD_PID" 2>/dev/null || true
        wait "$QUILLET_CUPSD_PID" 2>/dev/null || true
        QUILLET_CUPSD_PID=""
    fi
}
