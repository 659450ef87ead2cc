#!/bin/sh
# A private inn2 news server for one test, under a folder of its own:
#   inn_instance.sh start DIR FEEDPORT READPORT   (prints "ready" when it takes readers)
#   inn_instance.sh stop DIR
# Loopback only; nothing in /etc or /var is touched. Run as root or as news.
set -e
cmd=$1 D=$2
export INNCONF="$D/etc/inn.conf"
bin=/usr/lib/news/bin
if [ "$cmd" = stop ]; then
    runuser -u news -- env INNCONF="$INNCONF" $bin/ctlinnd -t 5 shutdown done >/dev/null 2>&1 || true
    for sig in TERM KILL; do
        for p in nnrpd innd; do
            [ -f "$D/$p.pid" ] && kill -$sig "-$(cat "$D/$p.pid")" 2>/dev/null || true
        done
        sleep 0.2
    done
    exit 0
fi
feed=$3 read=$4
mkdir -p "$D/db" "$D/run" "$D/log" "$D/tmp" "$D/http" \
         "$D/spool/articles" "$D/spool/overview" "$D/spool/incoming/tmp" "$D/spool/outgoing" \
         "$D/spool/archive" "$D/spool/innfeed"
cp -a /etc/news "$D/etc"
cp /var/lib/news/active /var/lib/news/active.times /var/lib/news/newsgroups "$D/db/"
sed -i -e "s|^port:.*|port: $feed|" -e "s|^nnrpdpostport:.*|nnrpdpostport: $feed|" \
       -e "s|^#bindaddress:.*|bindaddress: 127.0.0.1|" -e "s|^domain:.*|domain: example.com|" \
       -e "s|^pathhost:.*|pathhost: news.example.com|" -e 's|^mta:.*|mta: "/bin/true %s"|' \
       -e "s|^nnrpdloadlimit:.*|nnrpdloadlimit: 0|" \
       -e "s|^pathetc:.*|pathetc: $D/etc|" -e "s|^pathfilter:.*|pathfilter: $D/etc/filter|" \
       -e "s|^pathdb:.*|pathdb: $D/db|" -e "s|^pathrun:.*|pathrun: $D/run|" -e "s|^pathlog:.*|pathlog: $D/log|" \
       -e "s|^pathhttp:.*|pathhttp: $D/http|" -e "s|^pathspool:.*|pathspool: $D/spool|" \
       -e "s|^patharticles:.*|patharticles: $D/spool/articles|" -e "s|^pathoverview:.*|pathoverview: $D/spool/overview|" \
       -e "s|^pathincoming:.*|pathincoming: $D/spool/incoming|" -e "s|^pathoutgoing:.*|pathoutgoing: $D/spool/outgoing|" \
       -e "s|^patharchive:.*|patharchive: $D/spool/archive|" -e "s|^pathtmp:.*|pathtmp: $D/spool/incoming/tmp|" \
       "$INNCONF"
chown -R news:news "$D"
runuser -u news -- env INNCONF="$INNCONF" sh -c "cd '$D/db' && touch history && $bin/makedbz -i -o"
# Each server in a process group of its own, so that stop ends all of it.
setsid runuser -u news -- env INNCONF="$INNCONF" $bin/innd -f > "$D/innd.out" 2>&1 &
echo $! > "$D/innd.pid"
setsid runuser -u news -- env INNCONF="$INNCONF" $bin/nnrpd -D -f -b 127.0.0.1 -p "$read" > "$D/nnrpd.out" 2>&1 &
echo $! > "$D/nnrpd.pid"
for _ in $(seq 100); do
    if runuser -u news -- env INNCONF="$INNCONF" $bin/ctlinnd -t 2 mode >/dev/null 2>&1 &&
       /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $read), 1).close()" 2>/dev/null; then
        echo ready
        exit 0
    fi
    sleep 0.1
done
echo "inn2 did not start" >&2
exit 1
