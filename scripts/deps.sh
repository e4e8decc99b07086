# Installs the Debian packages the project needs, only those missing.
# Usage: source scripts/deps.sh; ensure_packages pkg...
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq || return 1
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

BUILD_PACKAGES=(cmake ninja-build g++ clang pkg-config libglfw3-dev rapidjson-dev libfreetype-dev zlib1g-dev liblodepng-dev
                libopenal-dev libvorbis-dev libgl-dev libgl1-mesa-dri)
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev xvfb xauth x11-utils xdotool wmctrl openbox imagemagick sox libsox-fmt-all
               xxd python3 python3-numpy python3-pil)
