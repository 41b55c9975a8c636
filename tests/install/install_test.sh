#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop finds there.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d "${TMPDIR:-/tmp}/krq-install-XXXXXX")
trap 'rm -rf "$stage"' EXIT
prefix=$stage/usr
fail() { echo "FAIL: $*" >&2; exit 1; }

# A staged install, as a package build does it.
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

id=pl.kwerdel.KwerdelRQ
for f in bin/krq bin/krq-convert \
         share/kwerdel-rq/data/proposal.dat share/kwerdel-rq/data/correct.dat \
         share/kwerdel-rq/data/extratext.dat share/kwerdel-rq/data/stdcode.ini \
         share/kwerdel-rq/readme.htm share/kwerdel-rq/marks.ini \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/man/man1/krq.1 share/man/man1/krq-convert.1; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/krq" ] || fail "krq is not executable"
cmp -s "$prefix/share/kwerdel-rq/marks.ini" "$prefix/share/kwerdel-rq/data/stdcode.ini" \
  || fail "the first marks.ini is not the standard scheme"

# The PNG is a real 48 x 48 image.
head -c 24 "$prefix/share/icons/hicolor/48x48/apps/$id.png" | od -An -tx1 | tr -d ' \n' \
  | grep -q '^89504e470d0a1a0a0000000d494844520000003000000030' || fail "the PNG is not 48 x 48"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null \
  || fail "appstreamcli validate"
if command -v man >/dev/null; then
  for page in krq krq-convert; do
    man --warnings -l "$prefix/share/man/man1/$page.1" >/dev/null 2>"$stage/man.err" || true
    [ ! -s "$stage/man.err" ] || fail "$page.1: $(cat "$stage/man.err")"
  done
fi

# The installed program answers without a display, and finds its shared files when an
# ordinary user starts it: its own directory is made under XDG_CONFIG_HOME and seeded.
"$prefix/bin/krq" --version | grep -q '^krq 4.0 alpha$' || fail "krq --version"
user=$stage/home
mkdir -p "$user"
env -u KRQ_HOME HOME="$user" XDG_CONFIG_HOME="$user/config" QT_QPA_PLATFORM=offscreen \
  KRQ_CLOSE_AFTER_START=1 "$prefix/bin/krq" >/dev/null 2>&1 || fail "the installed krq did not start"
for f in krq.ini marks.ini data/proposal.dat data/correct.dat data/extratext.dat; do
  [ -f "$user/config/kwerdel-rq/$f" ] || fail "the user directory lacks $f"
done
[ ! -e "$user/config/kwerdel-rq/data/stdcode.ini" ] || fail "stdcode.ini was copied"

# `make install` takes PREFIX and DESTDIR.
src=$(cd "$(dirname "$0")/../.." && pwd)
make -s -C "$src" install BUILD="$build" PREFIX=/opt/krq DESTDIR="$stage/make" >/dev/null
[ -x "$stage/make/opt/krq/bin/krq" ] || fail "make install did not honour PREFIX and DESTDIR"
echo "install: ok"
