# Debian packages the build, the game and the tests need, and a check that
# installs the missing ones. Sourced by ./run and ./test.

CRASHMOOR_PACKAGES=(
  g++ make cmake pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libfreetype-dev
  libcairo2-dev libvorbis-dev
  zlib1g-dev fonts-dejavu-core fonts-wine
  libegl-mesa0 libgl1-mesa-dri
)
# GoogleTest for the tests; Xvfb and xwininfo let a test check the window on
# a bare X display; the desktop's validators check the installed menu entry
# and metainfo. The benchmark programs time themselves with no library.
CRASHMOOR_TEST_PACKAGES=(libgtest-dev xvfb x11-utils desktop-file-utils appstream)

# crashmoor_ensure_packages [extra packages...]: installs what is missing with
# apt-get when run as root; otherwise prints the command and fails.
crashmoor_ensure_packages() {
  local wanted=("${CRASHMOOR_PACKAGES[@]}" "$@") missing=() p
  for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "These Debian packages are missing. Install them, then run this again:" >&2
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
}
