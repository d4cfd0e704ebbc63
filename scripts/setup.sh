# Shared set-up for the scripts: installs what the build needs on Debian or
# Ubuntu and configures/builds a build tree. Sourced, not run.
set -euo pipefail

MTL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MTL_JOBS="${MTL_JOBS:-$(nproc 2>/dev/null || echo 2)}"

# ensure_packages PKG... : installs missing Debian packages (as root), or
# prints the exact command and stops.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    else
        echo "Missing packages. Please run:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
}

BUILD_PACKAGES=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev libsdl2-dev libpng-dev
                libsuitesparse-dev liblapacke-dev libopenblas-dev)

# build_tree DIR [cmake options...]
build_tree() {
    local dir="$1"; shift
    cmake -S "$MTL_ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$MTL_JOBS"
}
