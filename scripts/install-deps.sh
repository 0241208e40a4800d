#!/usr/bin/env bash
# Installs the Debian packages that building and testing Lorvane need, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libicu-dev libgtest-dev libgmock-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # Qt's own dialogs in the user's language; the locales the tests run under
    qt6-translations-l10n locales
    xvfb xauth
    unzip p7zip-full zip
    time perl python3
    # packaging tests, and the readers that open the RTF and HTML documents
    dpkg-dev desktop-file-utils librsvg2-bin groff-base
    libreoffice-writer-nogui chromium fonts-dejavu-core
    # Church Slavonic letters and marks of Unicode (the hip-unicode results) for those readers
    fonts-noto-core
)

# The comma-decimal locales the number tests run under; without them the tests generate their
# own copies into a temporary folder.
generate_test_locales() {
    [ "$(id -u)" -eq 0 ] && command -v localedef >/dev/null || return 0
    for locale in ru_RU de_DE; do
        locale -a 2>/dev/null | grep -qix "$locale.utf-\?8" ||
            localedef -i "$locale" -f UTF-8 "$locale.UTF-8" >/dev/null 2>&1 || true
    done
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    generate_test_locales
    exit 0
fi

echo "Installing: ${missing[*]}" >&2
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
generate_test_locales
