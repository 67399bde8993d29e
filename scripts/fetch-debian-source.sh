#!/usr/bin/env bash
# Unpacks Debian's source package of a library, Debian's patches applied, for the builds
# that cannot use the machine's own binary packages (the Windows and browser builds).
#   scripts/fetch-debian-source.sh PACKAGE VERSION DEST
# leaves the sources in DEST/PACKAGE-VERSION/ (the epoch left out of the name; kept there:
# a second call does nothing). When the archive no longer has that Debian revision (a
# security update replaced it), the newest revision of the same upstream version is taken,
# and said so.
# The deb-src list and the package lists are this script's own, under DEST/.apt/, so the
# machine's apt setup is never changed. The archive is the one the machine installs from.
set -euo pipefail
if [ $# -ne 3 ]; then
  echo "usage: $0 PACKAGE VERSION DEST" >&2
  exit 2
fi
package=$1
version=$2
dest=$3
target=$dest/$package-${version#*:}
[ -f "$target/.unpacked" ] && exit 0

mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
target=$dest/$package-${version#*:}
apt_dir=$dest/.apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/archives/partial"

# The same archives the machine's deb lines name, as deb-src.
list=$apt_dir/sources.list
if [ ! -s "$list" ]; then
  keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  {
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main"
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm-updates main"
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main"
  } >"$list.new"
  mv "$list.new" "$list"
fi
apt_options=(
  -o "Dir::Etc::SourceList=$list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache::Archives=$apt_dir/archives"
  -o "APT::Sandbox::User=root"
)
# One update a day is plenty: the versions asked for are pinned anyway.
if [ -z "$(find "$apt_dir/lists" -maxdepth 1 -name '*Sources*' -mtime -1 2>/dev/null)" ]; then
  apt-get "${apt_options[@]}" update -qq
fi

work=$(mktemp -d "$dest/.fetch-$package.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The revision asked for first; else the others of the same upstream version, newest first
# (a mirror may list a revision whose files it does not serve).
listed=$(apt-cache "${apt_options[@]}" showsrc "$package" | sed -n 's/^Version: //p' | sort -Vru)
candidates=$version
if ! printf '%s\n' "$listed" | grep -qxF "$version"; then
  candidates=$(printf '%s\n' "$listed" | grep -F "${version%-*}-" || true)
fi
fetched=
for candidate in $candidates; do
  if (cd "$work" && apt-get "${apt_options[@]}" source -qq "$package=$candidate" >/dev/null 2>&1); then
    fetched=$candidate
    break
  fi
  rm -rf "${work:?}"/*
done
if [ -z "$fetched" ]; then
  echo "fetch-debian-source: could not fetch $package $version (nor another revision of it)" >&2
  exit 1
fi
[ "$fetched" = "$version" ] ||
  echo "fetch-debian-source: $package $version is gone from the archive, took $fetched" >&2
unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)
if [ -z "$unpacked" ]; then
  echo "fetch-debian-source: no sources of $package $version" >&2
  exit 1
fi
rm -rf "$target"
mv "$unpacked" "$target"
touch "$target/.unpacked"
