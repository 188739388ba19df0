#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the toolchain of the Windows build once and prints the CMake file that names it:
#   scripts/windows-toolchain.sh     build what is missing, print .../win64/toolchain-KEY.cmake
# Debian's MinGW-w64 compiles. Qt (qtbase at the version of Debian's own Qt, whose host tools
# moc, rcc and uic serve the cross build), libtiff (the tests' independent reader and writer)
# and GoogleTest are built for MinGW from Debian's source packages, each into a folder of its
# own under ${XDG_CACHE_HOME:-~/.cache}/vantrel/win64, outside the repository. A folder's name
# holds a key of its recipe below, the toolchain file and the versions, so a changed recipe or
# version builds that part anew; a complete folder is used as it is.
set -euo pipefail

top="$(cd "$(dirname "$0")/.." && pwd)"
toolchain_file="$top/cmake/MinGWToolchain.cmake"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vantrel/win64"

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build make dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n googletest libtiff-dev xz-utils bzip2
)
"$top/scripts/install-missing.sh" "${packages[@]}" >&2

version_of() { dpkg-query -W -f='${Version}' "$1"; }
jobs="$(nproc)"
say() { echo "windows toolchain: $*" >&2; }

# Debian's source package $1 at version $2 into the current folder, fetched with apt through a
# source list of our own, so the system's apt configuration stays as it is. Only the upstream
# tarball is needed: the registry has been seen to lack a Debian part (.dsc, .debian.tar) while
# it had the tarball, so such a gap is let pass.
fetch_source() {
  local apt_dir="$PWD/apt"
  mkdir -p "$apt_dir/lists/partial"
  cat >"$apt_dir/sources.list" <<'LIST'
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
LIST
  local opts=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o "Dir::Etc::sourceparts=-"
              -o "Dir::State::Lists=$apt_dir/lists" -o "APT::Sandbox::User=root")
  apt-get -q "${opts[@]}" update
  apt-get -q "${opts[@]}" source --download-only "$1=$2" || true
  ls "$1"_*.orig.tar.* >/dev/null 2>&1 || { echo "no source tarball of $1 $2" >&2; return 1; }
  tar -xf "$1"_*.orig.tar.*
}

# qtbase: Core, Gui, Widgets, Test; the windows, offscreen and minimal platform plug-ins (the
# offscreen one needs the bundled FreeType). Network, SQL, XML, D-Bus, OpenGL, printing and
# tablet events (Debian's source lacks wintab) are left out; Direct2D stays, as Qt builds its
# DirectWrite font database only with it.
build_qtbase() {
  fetch_source qt6-base "$(version_of qt6-base-dev)"
  cmake -G Ninja -S qtbase-everywhere-src-* -B build \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$1" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_pkg_config=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_fontconfig=OFF \
    -DFEATURE_sql_sqlite=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  cmake --build build --parallel "$jobs"
  cmake --install build
}

# libtiff without codecs: the tests need only uncompressed files.
build_tiff() {
  fetch_source tiff "$(version_of libtiff-dev)"
  cmake -G Ninja -S "$(find . -mindepth 1 -maxdepth 1 -type d -name '*tiff-*' | head -n 1)" \
    -B build -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_INSTALL_PREFIX="$1" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dzlib=OFF -Dlibdeflate=OFF -Dpixarlog=OFF -Djpeg=OFF \
    -Dold-jpeg=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dcxx=OFF
  cmake --build build --parallel "$jobs"
  cmake --install build
}

# GoogleTest from the sources Debian installs with its googletest package.
build_googletest() {
  cmake -G Ninja -S /usr/src/googletest -B build \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_INSTALL_PREFIX="$1" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON
  cmake --build build --parallel "$jobs"
  cmake --install build
}

# The prefix of part $1 (built by build_$1 from package version $2), built when missing.
part() {
  local name="$1" key root
  key="$( { declare -f fetch_source "build_$name"; cat "$toolchain_file"
            echo "$2 mingw $(version_of g++-mingw-w64-x86-64-posix)"; } | sha256sum | cut -c1-12)"
  root="$cache/$name-$key"
  if [ ! -f "$root/complete" ]; then
    mkdir -p "$cache"
    # One build at a time: a second caller waits for the first and then finds it complete.
    exec 9>"$cache/$name.lock"
    flock 9
    if [ ! -f "$root/complete" ]; then
      rm -rf "$root"
      mkdir -p "$root/work"
      local started=$SECONDS
      say "building $name $2 into $root (log: $root/build.log)"
      # Long builds run at low priority: the machine may be shared with other builds.
      if ! (cd "$root/work" && export PKG_CONFIG_LIBDIR="" PKG_CONFIG_PATH="" &&
            nice -n 10 bash -c "$(declare -f fetch_source "build_$name" version_of);
                                toolchain_file='$toolchain_file' jobs='$jobs';
                                set -euo pipefail; build_$name '$root/prefix'") \
           >"$root/build.log" 2>&1; then
        tail -n 40 "$root/build.log" >&2
        say "$name failed, see $root/build.log"
        exit 1
      fi
      rm -rf "$root/work"
      echo "$((SECONDS - started))" >"$root/seconds"
      touch "$root/complete"
      say "$name ready in $((SECONDS - started)) s"
    fi
    exec 9>&-
  fi
  echo "$root/prefix"
}

qtbase="$(part qtbase "$(version_of qt6-base-dev)")"
tiff="$(part tiff "$(version_of libtiff-dev)")"
googletest="$(part googletest "$(version_of googletest)")"

# What the Windows build loads before its toolchain file (cmake -C).
names="$cache/toolchain-$(echo "$qtbase $tiff $googletest" | sha256sum | cut -c1-12).cmake"
cat >"$names.tmp" <<NAMES
# Written by scripts/windows-toolchain.sh: the parts of the Windows toolchain.
set(CMAKE_PREFIX_PATH "$qtbase;$tiff;$googletest" CACHE STRING "")
set(CMAKE_FIND_ROOT_PATH "$qtbase;$tiff;$googletest" CACHE STRING "")
set(QT_HOST_PATH "/usr" CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/x86_64-linux-gnu/cmake" CACHE PATH "")
set(VANTREL_WINDOWS_QT "$qtbase" CACHE PATH "")
NAMES
mv "$names.tmp" "$names"
echo "$names"
