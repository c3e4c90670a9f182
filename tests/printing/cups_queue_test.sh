#!/usr/bin/env bash
# The settings printout through a real print system: starts a CUPS scheduler
# of its own (configuration, spool and socket in a scratch folder), adds a
# PDF queue, prints the settings with two copies through the window's
# printer path (print-to-queue), and checks that two completed jobs titled
# "WLT" reached the queue, that each job's document holds the printout, and
# that the queue made a PDF file of each.
# Cleans up after itself: its queue, its scheduler, its files.
#
# Usage: cups_queue_test.sh PRINT_TO_QUEUE
# Exit status 77 (skipped) when the scheduler cannot run here, with the reason.
set -uo pipefail

program=${1:?usage: cups_queue_test.sh PRINT_TO_QUEUE}
export PATH="$PATH:/usr/sbin:/sbin"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
backend=/usr/lib/cups/backend/cups-pdf

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

for tool in cupsd lpadmin lpstat ipptool pdftotext pdfinfo; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (packages cups, cups-client, cups-ipp-utils, poppler-utils)"
done
[ -f "$backend" ] && [ -f "$ppd" ] || skip "the PDF queue's backend is not installed (package printer-driver-cups-pdf)"
# The PDF backend is executable by root only, so the scheduler runs it as
# root only when the scheduler itself runs as root.
[ "$(id -u)" -eq 0 ] || skip "not running as root: the scheduler cannot run the PDF backend"
[ -w /etc/cups ] || skip "/etc/cups is not writable: the PDF backend reads its queue's settings only there"

work=$(mktemp -d /tmp/wlt-cups.XXXXXX)
queue="wlt-test-$$"
# The backend takes a queue's own settings from this file, named after the
# queue in its device URI; it has no other place for them.
queue_conf="/etc/cups/cups-pdf-$queue.conf"
export CUPS_SERVER="$work/cups.sock"
cupsd_pid=

cleanup() {
  if [ -n "$cupsd_pid" ]; then
    lpadmin -x "$queue" 2>/dev/null
    kill "$cupsd_pid" 2>/dev/null
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -f "$queue_conf"
  rm -rf "$work"
}
trap cleanup EXIT

# The filters run as the scheduler's user lp and reach the spool through here.
chmod 755 "$work"
mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/run" "$work/cache" "$work/log" "$work/pdf"
cat >"$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
# The documents as the program sent them stay in the spool for the check.
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
StateDir $work/run
CacheDir $work/cache
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
CONF
# Label 2: every file named after its job as well, so two copies are two
# files. No log of its own: its messages reach the scheduler's log.
printf 'Out %s\nLabel 2\nLog \n' "$work/pdf" >"$queue_conf"

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
cupsd_pid=$!
started=
for _ in $(seq 1 50); do
  if ! kill -0 "$cupsd_pid" 2>/dev/null; then
    wait "$cupsd_pid"
    status=$?
    cupsd_pid=
    skip "cupsd ended at once with status $status: $(tail -n 5 "$work/log/cupsd.out" "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"
  fi
  # lpstat -r exits 0 whether or not the scheduler answers: only its text
  # tells.
  if [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; then started=1; break; fi
  sleep 0.2
done
[ -n "$started" ] || skip "cupsd did not answer on $CUPS_SERVER within 10 s: $(tail -n 5 "$work/log/error_log" 2>/dev/null | tr '\n' ' ')"
echo "cupsd $cupsd_pid on $CUPS_SERVER"

# The cairo renderer keeps more of the text in the queue's PDF than the
# default. A scheduler that has just started may still drop a connection it
# took ("Unable to connect to server"): only that is tried again, for 10 s.
added=
for _ in $(seq 1 20); do
  if lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" -o pdftops-renderer-default=pdftocairo \
    2>"$work/log/lpadmin.err"; then added=1; break; fi
  grep -q 'Unable to connect' "$work/log/lpadmin.err" || break
  echo "lpadmin tries again: $(cat "$work/log/lpadmin.err")"
  sleep 0.5
done
[ -n "$added" ] || fail "lpadmin could not add the queue: $(cat "$work/log/lpadmin.err")"

QT_QPA_PLATFORM=offscreen "$program" "$queue" 2 >"$work/printout.txt" ||
  fail "print-to-queue failed (status $?)"

# Both jobs completed, waiting at most a minute for the filters and the backend.
completed=0
for _ in $(seq 1 120); do
  completed=$(lpstat -W completed -o "$queue" | wc -l)
  pending=$(lpstat -W not-completed -o "$queue" | wc -l)
  [ "$completed" -ge 2 ] && [ "$pending" -eq 0 ] && break
  # A failed filter or backend stops the queue; its jobs would wait forever.
  if lpstat -p "$queue" | grep -q disabled; then
    fail "the queue stopped: $(lpstat -l -p "$queue" | tr '\n' ' ') $(grep -E '^E|Job [0-9]+\].*(ailed|rror)' "$work/log/error_log" | tail -n 5)"
  fi
  sleep 0.5
done
lpstat -W completed -o "$queue"
[ "$completed" -eq 2 ] || fail "$completed completed jobs on $queue instead of 2: $(grep -E '^[EW]|\[Job' "$work/log/error_log" | tail -n 10)"

cat >"$work/job.test" <<'IPP'
{
  NAME "job attributes"
  OPERATION Get-Job-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR integer job-id $job_id
  ATTR name requesting-user-name root
  STATUS successful-ok
  DISPLAY job-name
  DISPLAY job-state
}
IPP
uri="ipp://$(printf '%s' "$CUPS_SERVER" | sed 's|/|%2F|g')/printers/$queue"
jobs=$(lpstat -W completed -o "$queue" | awk '{print $1}' | sed 's/.*-//')
for job in $jobs; do
  attributes=$(ipptool -c -d "job_id=$job" "$uri" "$work/job.test") || fail "no attributes of job $job"
  echo "job $job: $(echo "$attributes" | tail -n 1)"
  [ "$(echo "$attributes" | tail -n 1)" = "WLT,completed" ] || fail "job $job is not a completed job titled WLT: $attributes"
done

# The printout's words, line by line, as pdftotext lays them out.
simplify() { sed -e 's/\f//g' -e 's/[[:space:]]\+/ /g' -e 's/^ //' -e 's/ $//' | grep -v '^$'; }
simplify <"$work/printout.txt" >"$work/expected.txt"
grep -q 'Łączność źródeł' "$work/expected.txt" || fail "the printout lacks its Polish caption"

# Each job's document as the print system received it: the whole printout.
for job in $jobs; do
  document="$work/spool/$(printf 'd%05d-001' "$job")"
  [ -f "$document" ] || fail "job $job left no document in the spool"
  pdftotext -layout -enc UTF-8 "$document" - | simplify >"$work/got.txt"
  diff -u "$work/expected.txt" "$work/got.txt" || fail "the document of job $job does not hold the printout"
  echo "job $job document: $(wc -l <"$work/got.txt") lines of the printout, Polish letters included"
done

# The queue's PDF files, one per job. The queue rebuilds the document
# through PostScript, where the glyphs outside the font's first subset (the
# Polish letters among them) lose their Unicode names; the grid rows and the
# section headings come through as text.
for job in $jobs; do
  pdf=$(find "$work/pdf" -name "*job_$job.pdf" | head -n 1)
  [ -n "$pdf" ] || fail "no PDF file of job $job from the queue: $(ls "$work/pdf")"
  pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  [ "$pages" = 1 ] || fail "$(basename "$pdf") has $pages pages instead of 1"
  pdftotext -layout -enc UTF-8 "$pdf" - | simplify >"$work/got.txt"
  grep -E '^([0-9]+ nst_|Nastawy:|Zezwolenia:|801 Tekst 801 1|910 nast_rez23 0)' "$work/expected.txt" >"$work/plain.txt"
  [ "$(wc -l <"$work/plain.txt")" -eq 24 ] || fail "expected 24 plain lines in the printout"
  while IFS= read -r line; do
    grep -qxF "$line" "$work/got.txt" || fail "$(basename "$pdf") lacks the line \"$line\""
  done <"$work/plain.txt"
  echo "$(basename "$pdf"): 1 page, the grid rows and headings"
done
[ "$(find "$work/pdf" -name '*.pdf' | wc -l)" -eq 2 ] || fail "more PDF files than jobs: $(ls "$work/pdf")"
echo "PASSED: two completed jobs titled WLT with the settings printout, and a PDF file of each"
