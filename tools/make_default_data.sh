#!/usr/bin/env bash
# Builds the default data beside the programs in a build folder (default: build/), once:
#   Database/      the default database, from the sky-map package d3-celestial (npm), the star
#                  motions and distances of Debian's kstars-data (its star files, read by our own
#                  converter) and the solar-system file, imported by the program's own importer;
#                  beside it MilkyWay.txt, the Milky Way's outline the chart reads
#   Images/        planet surface maps and Saturn's ring profile (Debian openuniverse-common)
#   Help/          the help pages with their search index
#   Demo Settings Files/
# Downloads are kept in ~/.cache/quorvane (or $XDG_CACHE_HOME/quorvane); each part is redone
# only when what it is made from has changed, so a second run takes a moment.
#   tools/make_default_data.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/quorvane"
package=d3-celestial
version=0.7.35
maps=/usr/share/openuniverse/textures
star_package=kstars-data
star_files=(namedstars.dat unnamedstars.dat stars.dat)

say() { echo "make_default_data: $*"; }

# fingerprint FILE...: one line that changes whenever any of the files does.
fingerprint() { sha256sum "$@" | sha256sum | cut -c1-64; }

# up_to_date STAMP FINGERPRINT: whether the part with this stamp file was made from these inputs.
up_to_date() { [ -f "$1" ] && [ "$(cat "$1")" = "$2" ]; }

# download_failed NPM_OUTPUT: why the catalog package could not be fetched and what to do.
download_failed() {
  {
    echo "make_default_data: could not download $package@$version from the npm registry. npm said:"
    echo "$1" | grep -vE '^npm (error|ERR!)[[:space:]]+at ' | sed 's/^/    /'  # without stack frames
    case $1 in
      *CERT* | *certificate*)
        echo "The registry's TLS certificate is not trusted here. If your network inspects TLS, put"
        echo "its CA certificate (.crt) in /usr/local/share/ca-certificates and run"
        echo "update-ca-certificates (or: npm config set cafile FILE)." ;;
      *)
        echo "Check the network connection; behind a proxy, tell npm about it:"
        echo "npm config set proxy URL; npm config set https-proxy URL." ;;
    esac
    echo "Then run tools/make_default_data.sh $build again (tools/run.sh does)."
  } >&2
  exit 1
}

fetch_package() {
  local tarball="$cache/$package-$version.tgz" fetch output
  mkdir -p "$cache"
  if [ ! -f "$tarball" ]; then
    command -v npm >/dev/null || { echo "make_default_data: npm is missing: run tools/setup.sh" >&2; exit 1; }
    say "fetching $package@$version"
    fetch=$(mktemp -d "$cache/fetch.XXXXXX")
    output=$(cd "$fetch" && npm pack --loglevel=error "$package@$version" 2>&1 >/dev/null) || {
      rm -rf "$fetch"
      download_failed "$output"
    }
    mv "$fetch/$package-$version.tgz" "$tarball"
    rm -rf "$fetch"
  fi
  if [ ! -f "$cache/$package-$version/data/stars.14.json" ]; then
    rm -rf "$cache/$package-$version.tmp"
    mkdir -p "$cache/$package-$version.tmp"
    if ! tar -xzf "$tarball" -C "$cache/$package-$version.tmp"; then
      rm -rf "$tarball" "$cache/$package-$version.tmp"
      echo "make_default_data: $tarball is damaged and was removed; run again to download it anew." >&2
      exit 1
    fi
    rm -rf "$cache/$package-$version"
    mv "$cache/$package-$version.tmp/package" "$cache/$package-$version"
    rm -rf "$cache/$package-$version.tmp"
  fi
}

# The .deb of the star files, downloaded once (the package lists are refreshed when apt cannot
# find it) and unpacked without installing: only its star files are read.
star_deb() { ls "$cache/${star_package}"_*.deb 2>/dev/null | head -n 1; }

fetch_star_files() {
  local dir="$cache/star-files" deb sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  mkdir -p "$cache"
  if [ -z "$(star_deb)" ]; then
    say "fetching Debian's $star_package (star motions and distances)"
    if ! (cd "$cache" && apt-get download -q "$star_package" >/dev/null 2>&1); then
      $sudo apt-get update -qq
      (cd "$cache" && apt-get download -q "$star_package" >/dev/null)
    fi
  fi
  deb=$(star_deb)
  up_to_date "$dir/.made-from" "$(basename "$deb")" && return 0
  rm -rf "$dir.tmp"
  mkdir -p "$dir.tmp"
  dpkg-deb --fsys-tarfile "$deb" |
    tar -x -C "$dir.tmp" --strip-components=4 "${star_files[@]/#/./usr/share/kstars/}"
  basename "$deb" >"$dir.tmp/.made-from"
  rm -rf "$dir"
  mv "$dir.tmp" "$dir"
}

convert_catalog() {
  local out="$cache/catalog" stamp="$cache/catalog/.made-from"
  local inputs
  inputs=$(fingerprint "$cache/$package-$version.tgz" "${star_files[@]/#/$cache/star-files/}" \
    "$build/tools/qv_catalog")
  up_to_date "$stamp" "$inputs" && return 0
  say "converting the catalogs"
  rm -rf "$out.tmp"
  mkdir -p "$out.tmp"
  "$build/tools/qv_catalog" "$cache/$package-$version/data" "$cache/star-files" "$out.tmp"
  echo "$inputs" >"$out.tmp/.made-from"
  rm -rf "$out"
  mv "$out.tmp" "$out"
}

import_database() {
  local stamp="$build/Database/.made-from" inputs
  local own=("$top/resources/catalog/SolarSystem.txt" "$top/resources/catalog/Sites.txt")
  # By content, not by the tools' binaries: rebuilding the program must not replace a database
  # the user may have edited. When the data do change, the old one is kept as Database.previous.
  # The database file format's version counts too: a database of an earlier format is rebuilt.
  inputs=$( (fingerprint "$cache/catalog"/*.txt "${own[@]}" && echo "format 3001") | sha256sum |
    cut -c1-64)
  up_to_date "$stamp" "$inputs" && return 0
  say "importing the catalogs into $build/Database"
  "$build/tools/qv_build_database" "$build" "$cache/catalog/FileList.txt" "${own[@]}"
  [ -d "$build/Database.previous" ] && say "the database it replaced is in $build/Database.previous"
  echo "$inputs" >"$stamp"
}

# The Milky Way's outline is read by the chart from the database directory, not imported.
install_milky_way() {
  cp "$cache/catalog/MilkyWay.txt" "$build/Database/MilkyWay.txt.tmp"
  mv "$build/Database/MilkyWay.txt.tmp" "$build/Database/MilkyWay.txt"
}

make_images() {
  local stamp="$build/Images/.made-from" inputs
  if [ ! -d "$maps" ]; then
    say "no planet maps in $maps (Debian openuniverse-common): planets stay grey spheres"
    return 0
  fi
  inputs=$(fingerprint "$build/tools/qv_planet_images" "$maps"/*.jpg)
  up_to_date "$stamp" "$inputs" && return 0
  say "converting the planet maps"
  rm -rf "$build/Images.tmp"
  "$build/tools/qv_planet_images" "$maps" "$build/Images.tmp"
  echo "$inputs" >"$build/Images.tmp/.made-from"
  rm -rf "$build/Images"
  mv "$build/Images.tmp" "$build/Images"
}

install_help() {
  rm -rf "$build/Help.tmp"
  cp -r "$top/docs/help" "$build/Help.tmp"
  /usr/bin/python3 "$top/tools/help/make_help_index.py" "$build/Help.tmp" >/dev/null
  rm -rf "$build/Help"
  mv "$build/Help.tmp" "$build/Help"
}

install_demo_settings() {
  local target="$build/Demo Settings Files"
  mkdir -p "$target"
  cp "$top"/resources/demo_settings/*.qvs "$target/"
}

for tool in qv_catalog qv_build_database qv_planet_images; do
  if [ ! -x "$build/tools/$tool" ]; then
    echo "make_default_data: $build/tools/$tool is missing: build the project first" >&2
    exit 1
  fi
done

fetch_package
fetch_star_files
convert_catalog
import_database
install_milky_way
make_images
install_help
install_demo_settings
say "done"
