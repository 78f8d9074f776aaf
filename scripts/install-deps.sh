#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Quick when all is present.
#
# A mirror can be caught mid-sync: one of its package lists arrives with the wrong size and
# `apt-get update` exits 100 ("Mirror sync in progress?"). The install then goes on as an apt
# user would: it retries the update, keeps the lists that did arrive, and, while it installs,
# ranks every suite whose list is missing below the others (priority 100), so that packages of
# two architectures that must match (wine32:i386 beside wine64) come from suites whose lists
# both arrived. When packages still cannot be had, it says which and why.
set -euo pipefail

packages=(
  cmake make g++ googletest python3
  g++-mingw-w64-i686 mingw-w64-tools
  wine wine64 wine32:i386 xvfb xauth
  imagemagick x11-apps lame nsis libtag1-dev clang clang-tidy libclang-rt-14-dev
)
no_recommends=(libwine-dev)

missing=()
for p in "${packages[@]}" "${no_recommends[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi

update_log=$(mktemp)
pin=/etc/apt/preferences.d/zz-sonoquill-install
trap 'rm -f "$update_log" "$pin"' EXIT

# Up to three updates, a few seconds apart: a list caught between two of the mirror's files may
# arrive whole on the next try; a longer sync is not waited out.
for attempt in 1 2 3; do
  if apt-get update -q 2>&1 | tee "$update_log"; then
    break
  fi
  if ((attempt < 3)); then
    echo "apt-get update failed (attempt $attempt of 3); trying again in $((attempt * 5)) s"
    sleep $((attempt * 5))
  fi
done

# The suites whose lists did not arrive, from apt's "E: Failed to fetch <url>/dists/<suite>/..."
# lines; the install goes on with the lists that did.
mapfile -t failed_suites < <(sed -n 's|^[EW]: Failed to fetch [^ ]*/dists/\([^/ ]*\)/.*|\1|p' "$update_log" | sort -u)
if ((${#failed_suites[@]} > 0)); then
  echo "The package lists of ${failed_suites[*]} did not arrive (the mirror may be mid-sync)."
  echo "Going on with the lists that did, ranking ${failed_suites[*]} below the others for this install."
  : >"$pin"
  for suite in "${failed_suites[@]}"; do
    printf 'Package: *\nPin: release n=%s\nPin-Priority: 100\n\n' "$suite" >>"$pin"
  done
fi

install_log=$(mktemp)
trap 'rm -f "$update_log" "$pin" "$install_log"' EXIT
install() {
  if ! apt-get install -y -q "$@" 2>&1 | tee "$install_log"; then
    echo
    echo "Could not install the packages the build and the tests need."
    # apt names what it could not resolve on lines such as " wine32:i386 : Depends: ..." and
    # "E: Unable to locate package X".
    sed -n -e 's/^ \([^ ]*\) : \(.*\)/  \1: \2/p' -e 's/^E: \(Unable to locate package .*\)/  \1/p' \
      -e 's/^E: \(Package .* has no installation candidate\)/  \1/p' "$install_log" | sort -u
    if ((${#failed_suites[@]} > 0)); then
      echo "The package lists of ${failed_suites[*]} could not be fetched (see above); try again once the mirror has synced."
    fi
    exit 1
  fi
}
install "${packages[@]}"
install --no-install-recommends "${no_recommends[@]}"
