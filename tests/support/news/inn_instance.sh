#!/bin/sh
# A private inn2 news server for one test, under a folder of its own:
#   inn_instance.sh start DIR FEEDPORT READPORT   (prints "ready" when it takes readers)
#   inn_instance.sh stop DIR
# Loopback only; nothing in /etc or /var is read or touched, so nothing of
# the machine's own news set-up (its load limit, its filters, its groups)
# can refuse a test. Run as root or as news. Exit status 2: a port was
# taken by another program (the caller tries others).
set -e
cmd=$1 D=$2
export INNCONF="$D/etc/inn.conf"
bin=/usr/lib/news/bin
stop() {
    runuser -u news -- env INNCONF="$INNCONF" $bin/ctlinnd -t 5 shutdown done >/dev/null 2>&1 || true
    for sig in TERM KILL; do
        for p in nnrpd innd; do
            [ -f "$D/$p.pid" ] && kill -$sig "-$(cat "$D/$p.pid")" 2>/dev/null || true
        done
        sleep 0.2
    done
}
if [ "$cmd" = stop ]; then
    stop
    exit 0
fi
feed=$3 read=$4
# ctlinnd's socket, "$D/run/ctlinndXXXXXX", must fit a socket address.
if [ ${#D} -gt 80 ]; then
    echo "inn2 cannot run in $D: the path is too long for its sockets" >&2
    exit 1
fi
rm -rf "$D/etc" "$D/db" "$D/run" "$D/log" "$D/tmp" "$D/http" "$D/spool"
mkdir -p "$D/etc/filter" "$D/db" "$D/run" "$D/log" "$D/tmp" "$D/http" \
         "$D/spool/articles" "$D/spool/overview" "$D/spool/incoming/tmp" "$D/spool/outgoing" \
         "$D/spool/archive" "$D/spool/innfeed"
# Limits of its own: no load limit for readers (a busy machine is not a
# reason to refuse one), no age limit for articles, no connection limit.
cat > "$INNCONF" <<CONF
domain: example.com
pathhost: news.example.com
organization: "Brindlewick tests"
mta: "/bin/true %s"
mailcmd: /bin/true
pathnews: /usr/lib/news
port: $feed
bindaddress: 127.0.0.1
nnrpdpostport: $feed
ovmethod: tradindexed
hismethod: hisv6
enableoverview: true
nnrpdloadlimit: 0
maxconnections: 0
artcutoff: 0
initialtimeout: 600
clienttimeout: 1800
pgpverify: false
doinnwatch: false
readerswhenstopped: true
pathetc: $D/etc
pathfilter: $D/etc/filter
pathdb: $D/db
pathrun: $D/run
pathlog: $D/log
pathhttp: $D/http
pathspool: $D/spool
patharticles: $D/spool/articles
pathoverview: $D/spool/overview
pathincoming: $D/spool/incoming
pathoutgoing: $D/spool/outgoing
patharchive: $D/spool/archive
pathtmp: $D/spool/incoming/tmp
CONF
cat > "$D/etc/storage.conf" <<'CONF'
method tradspool {
    newsgroups: *
    class: 0
}
CONF
printf 'ME:!*/!local::\n' > "$D/etc/newsfeeds"
cat > "$D/etc/incoming.conf" <<'CONF'
peer ME {
  hostname: "localhost, 127.0.0.1"
}
CONF
cat > "$D/etc/readers.conf" <<'CONF'
auth "localhost" {
    hosts: "localhost, 127.0.0.1, stdin"
    default: "<localhost>"
}
access "localhost" {
    users: "<localhost>"
    newsgroups: "*"
    access: RPA
}
CONF
cat > "$D/db/active" <<'CONF'
control 0000000000 0000000001 n
control.cancel 0000000000 0000000001 n
junk 0000000000 0000000001 n
local.general 0000000000 0000000001 y
local.test 0000000000 0000000001 y
CONF
: > "$D/db/active.times"
printf 'local.general\tLocal general group.\nlocal.test\tLocal test group.\n' > "$D/db/newsgroups"
chown -R news:news "$D"
runuser -u news -- env INNCONF="$INNCONF" sh -c "cd '$D/db' && touch history && $bin/makedbz -i -o"
# Each server in a process group of its own, so that stop ends all of it.
setsid runuser -u news -- env INNCONF="$INNCONF" $bin/innd -f > "$D/innd.out" 2>&1 &
echo $! > "$D/innd.pid"
setsid runuser -u news -- env INNCONF="$INNCONF" $bin/nnrpd -D -f -b 127.0.0.1 -p "$read" > "$D/nnrpd.out" 2>&1 &
echo $! > "$D/nnrpd.pid"
# Ready when innd answers on its control socket and the reader port greets
# as nnrpd does; a server that ends meanwhile could not take its port. A
# loaded machine can take long to start them: the bound only ends a hang.
deadline=$(( $(date +%s) + 180 ))
while [ "$(date +%s)" -lt "$deadline" ]; do
    for p in innd nnrpd; do
        if ! kill -0 "$(cat "$D/$p.pid")" 2>/dev/null; then
            echo "$p ended: $(cat "$D/$p.out")" >&2
            stop
            exit 2
        fi
    done
    if ! control=$(runuser -u news -- env INNCONF="$INNCONF" $bin/ctlinnd -t 10 mode 2>&1); then
        waiting="innd's control socket: $control"
    elif ! greeting=$(/usr/bin/python3 -c "
import socket
s = socket.create_connection(('127.0.0.1', $read), 10)
s.settimeout(30)
print(s.makefile('rb').readline().decode('latin-1'), end='')" 2>&1); then
        waiting="the reader's greeting: $greeting"
    else
        case "$greeting" in
        200*|201*) echo ready; exit 0 ;;
        esac
        waiting="the reader's greeting, which was: $greeting"
    fi
    sleep 0.2
done
echo "inn2 did not start: still waiting for $waiting $(cat "$D/innd.out" "$D/nnrpd.out")" >&2
stop
exit 1
