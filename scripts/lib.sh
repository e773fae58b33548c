# Shared by scripts/run and scripts/test: package installation and the CMake builds.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=${JOBS:-2}

# Packages needed to build and run the program.
RUN_PACKAGES=(build-essential cmake pkg-config qt6-base-dev qt6-svg-dev qt6-multimedia-dev
  libgl-dev qt6-qpa-plugins fonts-dejavu-core libcups2-dev qt6-translations-l10n
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher espeak-ng
  speech-dispatcher-espeak-ng
  libqt6sql6-sqlite qt6-charts-dev)
# Packages needed to make the Debian package: cpack -G DEB reads the executable's libraries with
# dpkg-shlibdeps, which finds them with file.
PACKAGE_PACKAGES=(dpkg-dev file)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whichever of the named Debian packages are missing; does nothing when all are there.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
}

# configure_and_build DIR [cmake options...]: configures once, then builds incrementally.
configure_and_build() {
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
  fi
  cmake --build "$dir" -j"$JOBS"
}

# True when a CUPS scheduler answers the client tools. (grep reads everything rather than quit at
# the first match, which could kill the writer with SIGPIPE and, under pipefail, fail the test.)
cups_scheduler_running() {
  LC_ALL=C lpstat -r 2>/dev/null | grep -x 'scheduler is running' >/dev/null
}

# Prints " name=value ... " for a CUPS queue set up as the tests need it: on /dev/null, not
# shared, A4 by default; prints nothing for any other queue or none.
cups_test_queue_attrs() {
  local queue=$1 attrs
  attrs=" $(lpoptions -p "$queue" 2>/dev/null) "
  [[ "$attrs" == *" device-uri=file:///dev/null "* ]] || return 0
  [[ "$attrs" == *" printer-is-shared=false "* ]] || return 0
  # The page size lives in the queue's PPD, which only -l lists.
  lpoptions -p "$queue" -l 2>/dev/null | grep -E '^PageSize/[^:]*:(.* )?\*A4( |$)' >/dev/null ||
    return 0
  echo "$attrs"
}

# Makes sure the CUPS queue the print tests use exists; exports its name as VORBELLO_CUPS_QUEUE.
# Its printer is stopped but accepts jobs, so every job stays pending with its data in the spool,
# where tests/print/cups-jobs counts and reads it. The device is /dev/null should anyone start it.
# It is never made the default destination: tests choose it by name.
ensure_cups_queue() {
  local queue=VorbelloProva
  local info="Vorbello tests: jobs stay queued, nothing is printed"
  # tests/print/cups-jobs reads job titles through libcups with python3.
  ensure_packages cups cups-client cups-bsd python3

  if ! cups_scheduler_running; then
    # No service manager to start it: cupsd puts itself in the background once it listens.
    echo "Starting the CUPS scheduler"
    if ! as_root /usr/sbin/cupsd </dev/null; then
      echo "ensure_cups_queue: cupsd did not start (see /var/log/cups/error_log)" >&2
      return 1
    fi
    local tries=0
    until cups_scheduler_running; do
      if [ $tries -ge 100 ]; then
        echo "ensure_cups_queue: the CUPS scheduler did not answer within 10 s" >&2
        return 1
      fi
      sleep 0.1
      tries=$((tries + 1))
    done
  fi

  local attrs
  attrs=$(cups_test_queue_attrs "$queue")
  if [ -z "$attrs" ]; then
    echo "Setting up the CUPS queue $queue"
    # Raw queues are deprecated, and lpadmin warns that PPDs are too; CUPS's own generic
    # PostScript PPD is what works offline. Its jobs are never converted, as nothing prints.
    as_root lpadmin -p "$queue" -v file:///dev/null -m drv:///sample.drv/generic.ppd \
      -o PageSize=A4 -o printer-is-shared=false -D "$info" 2>&1 |
      { grep -v 'are deprecated' || true; } >&2 || true
    attrs=$(cups_test_queue_attrs "$queue")
    attrs=${attrs/ printer-state=5 / }   # stopped anyway, but with a reason lpstat -p shows
  fi
  if [[ "$attrs" != *" printer-is-accepting-jobs=true "* ]]; then
    as_root cupsaccept "$queue" || true
  fi
  if [[ "$attrs" != *" printer-state=5 "* ]]; then
    as_root cupsdisable -r "$info" "$queue" || true
  fi
  # Jobs left by an earlier run would spoil the tests' counts, and may belong to another user.
  if [ -n "$(lpstat -o "$queue" 2>/dev/null)" ]; then
    as_root cancel -a "$queue" || true
  fi

  attrs=$(cups_test_queue_attrs "$queue")
  if [[ "$attrs" != *" printer-is-accepting-jobs=true "* ]] ||
      [[ "$attrs" != *" printer-state=5 "* ]]; then
    echo "ensure_cups_queue: could not set up the CUPS queue $queue (see lpstat -l -p $queue)" >&2
    return 1
  fi
  if [ -n "$(lpstat -o "$queue" 2>/dev/null)" ]; then
    echo "ensure_cups_queue: could not cancel the old jobs on $queue (see lpstat -o $queue)" >&2
    return 1
  fi
  export VORBELLO_CUPS_QUEUE=$queue

  # A second queue that refuses every job, for the tests of a print that cannot be sent.
  local refusing=VorbelloRifiuta
  if [ -z "$(cups_test_queue_attrs "$refusing")" ]; then
    as_root lpadmin -p "$refusing" -v file:///dev/null -m drv:///sample.drv/generic.ppd \
      -o PageSize=A4 -o printer-is-shared=false -D "Vorbello tests: refuses every job" 2>&1 |
      { grep -v 'are deprecated' || true; } >&2 || true
  fi
  attrs=$(cups_test_queue_attrs "$refusing")
  if [[ "$attrs" != *" printer-is-accepting-jobs=false "* ]]; then
    as_root cupsreject -r "Vorbello tests: refuses every job" "$refusing" || true
    attrs=$(cups_test_queue_attrs "$refusing")
  fi
  if [[ "$attrs" != *" printer-is-accepting-jobs=false "* ]]; then
    echo "ensure_cups_queue: could not set up the refusing CUPS queue $refusing" >&2
    return 1
  fi
  export VORBELLO_CUPS_REFUSING_QUEUE=$refusing
}
