#!/usr/bin/env bash
# Installs what building and testing Quillet needs on a Debian machine; does nothing
# for packages already there. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build g++ googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64
    xvfb xauth x11-utils xdotool xclip imagemagick locales
    # Printing to a PDF queue, read back as text; the ASCII view's fonts are made from
    # DejaVu Sans Mono.
    cups printer-driver-cups-pdf poppler-utils python3 fonts-dejavu-core
    # The fuzz targets: clang with its libFuzzer and sanitizer run-time libraries.
    clang libclang-rt-dev
)
# The dialog object's type library: widl, and the IDL files it imports (with Wine's stdole2.tlb).
packages+=(mingw-w64-tools libwine-dev)
# Wine's own UI faces (Tahoma behind "MS Shell Dlg"; scripts/env.sh copies them into the
# prefix) and a Japanese face, so dialogs are measured in the faces users see.
packages+=(fonts-wine fonts-ipafont-gothic)
# The fault-injection tests' host helper.
packages+=(python3)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Cyrillic, the double-byte code pages (932, 936, 949, 950) and UTF-8 (65001: Hindi has
# no ANSI code page of its own), so Wine runs programs under those ANSI code pages with
# file names it can store (without a locale Wine can only store ASCII names).
for loc in ru_RU ja_JP zh_CN ko_KR zh_TW hi_IN; do
    if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
        echo "setup: generating the ${loc}.UTF-8 locale"
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${loc}.UTF-8 UTF-8" /etc/locale.gen || echo "${loc}.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
        $sudo locale-gen >/dev/null
    fi
done
