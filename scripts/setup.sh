#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian
# machine. Safe to run again: it only acts on what is missing, and stays quiet then.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="$ROOT/.cache"
mkdir -p "$CACHE"

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# Packages whose version decides what we build are pinned; the rest are tools
# whose exact version does not change the product.
PINNED=(
  g++-mingw-w64-x86-64-posix=12.2.0-14+deb12u1+25.2+b1
  gcc-mingw-w64-x86-64-posix=12.2.0-14+deb12u1+25.2+b1
  binutils-mingw-w64-x86-64=2.40-2+10.4
  mingw-w64-x86-64-dev=10.0.0-3
  libtomlplusplus-dev=3.3.0+ds-1
  googletest=1.12.1-0.2
  libgtest-dev=1.12.1-0.2
  wine=8.0~repack-4
  wine64=8.0~repack-4
  libwine=8.0~repack-4
)
TOOLS=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick libgl1-mesa-dri
  pulseaudio pulseaudio-utils python3 python3-pytest
  xz-utils dpkg-dev ca-certificates
)

missing=()
for pinned in "${PINNED[@]}"; do
  name="${pinned%%=*}" want="${pinned#*=}"
  have="$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null || true)"
  [ "$have" = "$want" ] || missing+=("$pinned")
done
for name in "${TOOLS[@]}"; do
  dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "ok installed" || missing+=("$name")
done
# The machine image brings its own Node.js; Debian's npm only where none is there.
command -v npm >/dev/null || missing+=(nodejs npm)
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Dear ImGui 1.90.1 is only packaged as a Debian source package in trixie. A private
# source list, list folder and cache keep the machine's own apt configuration untouched.
IMGUI_VERSION=1.90.1
IMGUI_DIR="$CACHE/imgui-$IMGUI_VERSION"
if [ ! -f "$IMGUI_DIR/imgui.h" ]; then
  echo "setup: fetching Dear ImGui $IMGUI_VERSION source"
  P="$CACHE/apt"
  mkdir -p "$P/lists/partial" "$P/cache/archives/partial" "$CACHE/imgui-src"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian trixie main" > "$P/sources.list"
  O=(-o "Dir::Etc::SourceList=$P/sources.list" -o "Dir::Etc::SourceParts=/nonexistent"
     -o "Dir::State::Lists=$P/lists" -o "Dir::Cache=$P/cache" -o "APT::Sandbox::User=$(id -un)")
  apt-get "${O[@]}" -qq update
  (cd "$CACHE/imgui-src" && apt-get "${O[@]}" -qq source --download-only "imgui=$IMGUI_VERSION+ds-1" >/dev/null)
  tarball="$CACHE/imgui-src/imgui_$IMGUI_VERSION+ds.orig.tar.xz"
  rm -rf "$IMGUI_DIR.tmp" && mkdir -p "$IMGUI_DIR.tmp"
  tar -xJf "$tarball" -C "$IMGUI_DIR.tmp" --strip-components=1
  rm -rf "$IMGUI_DIR" && mv "$IMGUI_DIR.tmp" "$IMGUI_DIR"
fi

# The three typefaces come from npm packages that ship TTF files (pinned by the lock file).
FONTS_SRC="$ROOT/launcher/resources/fonts"
FONTS_DIR="$CACHE/fonts"
if [ -f "$FONTS_SRC/package-lock.json" ]; then
  if ! cmp -s "$FONTS_SRC/package-lock.json" "$FONTS_DIR/package-lock.json"; then
    echo "setup: installing fonts from npm"
    rm -rf "$FONTS_DIR" && mkdir -p "$FONTS_DIR"
    cp "$FONTS_SRC/package.json" "$FONTS_SRC/package-lock.json" "$FONTS_DIR/"
    (cd "$FONTS_DIR" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error >/dev/null)
  fi
fi
