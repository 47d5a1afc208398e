# Shared by run.sh and test.sh: package installation and the build.
# shellcheck shell=bash

QUILLON_PACKAGES=(
    cmake ninja-build g++ pkg-config clang libclang-rt-14-dev clang-format
    zlib1g-dev libpugixml-dev libcurl4-openssl-dev libssl-dev libcpp-httplib-dev
    libgtest-dev libgmock-dev libbenchmark-dev ca-certificates openssl
    qt6-base-dev libqt6svg6 qt6-translations-l10n fonts-dejavu-core dbus-daemon
    libsecret-1-dev gnome-keyring qt6-svg-dev appstream desktop-file-utils
)

die() {
    echo "error: $*" >&2
    exit 1
}

# Installs the Debian packages the project needs when any is missing (one apt-get update only
# then); uses sudo when not root.
ensure_packages() {
    local missing=()
    for pkg in "${QUILLON_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    command -v apt-get >/dev/null || die "apt-get not found; install by hand: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || die "not root and no sudo; install by hand: ${missing[*]}"
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq || die "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null || die "could not install: ${missing[*]}"
}

# configure_and_build <build dir> [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$QUILLON_ROOT" -B "$dir" -G Ninja "$@" >/dev/null || die "cmake configure failed ($dir)"
    cmake --build "$dir" -j "$(nproc)" || die "build failed ($dir)"
}

# Fails when a C++ source of the project differs from what clang-format makes of it (the
# root's .clang-format), and names the files.
check_format() {
    local unformatted=() file
    while IFS= read -r -d '' file; do
        clang-format --style=file "$file" | cmp -s - "$file" || unformatted+=("${file#"$QUILLON_ROOT"/}")
    done < <(find "$QUILLON_ROOT" \( -name 'build*' -o -name '.*' \) -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' \) -print0)
    [ ${#unformatted[@]} -eq 0 ] ||
        die "not formatted with clang-format (run clang-format -i on them): ${unformatted[*]}"
}
