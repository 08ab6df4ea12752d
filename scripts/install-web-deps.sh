#!/usr/bin/env bash
# Installs what the web build needs on Debian 12 and fetches the sources of
# FreeType and zlib into DEST (the web build folder's third_party/):
# emscripten's own ports would be downloaded at build time, so the module
# builds them from Debian's source packages instead, of the versions of the
# native libraries, so that text looks the same and session links come out
# the same in both. With --browser, also what the browser test needs:
# Chromium, npm and the test's node packages (from its lockfile).
# Uses sudo only when not root; installs nothing that is already there.
set -euo pipefail
usage="usage: $0 DEST [--browser]"
dest=${1:?$usage}
browser=false
[ "${2:-}" = --browser ] && browser=true
here=$(cd "$(dirname "$0")/.." && pwd)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(emscripten dpkg-dev xz-utils)
$browser && packages+=(chromium npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm may come with another build of Node.js than Debian's.
if [[ " ${missing[*]} " == *" npm "* ]] && command -v npm >/dev/null; then
  missing=("${missing[@]/npm/}")
fi
if [ -n "${missing[*]// /}" ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends ${missing[*]}
fi

if $browser; then
  (cd "$here/tests/web" && npm ci --no-audit --no-fund --loglevel=error)
fi

# The sources, through a private apt configuration that lists the system's
# own archives as source archives (the system's is left alone). Each is
# SOURCE_PACKAGE:BINARY_PACKAGE:FILE, FILE showing that it is unpacked.
wanted=()
for s in freetype:libfreetype6:CMakeLists.txt zlib:zlib1g:zlib.h; do
  IFS=: read -r name _ file <<<"$s"
  [ -f "$dest/$name/$file" ] || wanted+=("$s")
done
[ ${#wanted[@]} -eq 0 ] && exit 0
apt_dir="$dest/apt"
rm -rf "$apt_dir"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/src"
[ -f /etc/apt/sources.list ] && sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt_dir/sources.list"
touch "$apt_dir/sources.list"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types:.*\bdeb\b.*$/Types: deb-src/' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
done
for f in /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] && sed -n 's/^deb /deb-src /p' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
done
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
             -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
             -o APT::Sandbox::User="$(id -un)")
apt-get "${apt_options[@]}" update -qq
for s in "${wanted[@]}"; do
  IFS=: read -r name binary _ <<<"$s"
  echo "Fetching $name's source package"
  rm -rf "${dest:?}/$name"
  version=$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)
  (
    cd "$apt_dir/src"
    if ! apt-get "${apt_options[@]}" source --download-only -qq "$name${version:+=$version}"; then
      echo "$name $version is no longer in the archive; taking the current one (the page may differ from the native build)"
      apt-get "${apt_options[@]}" source --download-only -qq "$name"
    fi
    dpkg-source --no-check -x "${name}"_*.dsc "$name" >/dev/null
    mv "$name" "$dest/$name"
  )
done
rm -rf "$apt_dir"
