#!/usr/bin/env bash
# private_cups.sh start|stop DIR: a CUPS scheduler of the tests' own, with its configuration,
# spool and socket in DIR and one queue on the cups-pdf backend. The machine's scheduler and
# queues are never touched. When no scheduler can be started here, DIR/unavailable says why
# and the printing tests skip.
set -u
action=$1; dir=$2
queue=${KOMBINATOR_TEST_QUEUE:-Kombinator-PDF}
socket=$dir/run/cups.sock

unavailable() {
  printf '%s\n' "$1" >"$dir/unavailable"
  echo "private CUPS scheduler unavailable: $1"
  exit 0
}

stop() {
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
  # The PDFs cups-pdf wrote for these tests' jobs.
  if [ -f "$dir/pdf-folder" ]; then
    out=$(cat "$dir/pdf-folder")
    find "$out" -maxdepth 1 -name '*Kombinator*' -newer "$dir/started" -delete 2>/dev/null
    [ -f "$dir/pdf-folder-made" ] && rmdir "$out" 2>/dev/null
  fi
  rm -rf "$dir"
}

case $action in
  stop) stop; exit 0 ;;
  start) ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 64 ;;
esac

[ -d "$dir" ] && stop
mkdir -p "$dir"/{run,spool,cache,state,log,tmp,etc/ppd}
chmod 755 "$dir" "$dir"/*
# The filters run as the scheduler's own user and write their temporary files here.
chmod 1777 "$dir/tmp"
[ "$(id -u)" -eq 0 ] || unavailable "the scheduler needs root"
command -v cupsd >/dev/null || unavailable "cupsd is not installed"
[ -x /usr/lib/cups/backend/cups-pdf ] || unavailable "the cups-pdf backend is not installed"

cat >"$dir/cupsd.conf" <<CONF
Listen $socket
LogLevel info
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
CONF

touch "$dir/started"
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER=$socket
for _ in $(seq 100); do
  lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
lpstat -r >/dev/null 2>&1 || { stop; mkdir -p "$dir"; unavailable "cupsd did not start"; }
lpadmin -p "$queue" -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E >/dev/null 2>&1 \
  || { stop; mkdir -p "$dir"; unavailable "the cups-pdf queue could not be added"; }
# cups-pdf writes each job into PDF/ in the submitting user's home folder.
printf '%s\n' "$HOME/PDF" >"$dir/pdf-folder"
[ -d "$HOME/PDF" ] || touch "$dir/pdf-folder-made"
echo "private CUPS scheduler at $socket with queue $queue"
