#!/usr/bin/env bash
# Installs with apt-get whatever of the build and test tools is missing; does nothing when all
# are present, so it is safe to run before every build.
set -euo pipefail

packages=(
  cmake make g++ ninja-build pkg-config   # native build
  googletest libgtest-dev libgmock-dev libbenchmark-dev  # unit tests and benchmarks
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev  # Windows build
  wine wine64 fonts-wine xvfb xauth        # running the Windows program on Linux
  fonts-ipafont-gothic fonts-ipafont-mincho  # Japanese fonts mapped into the Wine prefix
  imagemagick                              # screenshots of end-to-end tests as PNG
  chrony                                   # a real NTP server on loopback for the SNTP tests
  util-linux libcap2-bin                   # setpriv / capsh: drop the right to set the clock
  locales                                  # the ja_JP.UTF-8 locale Wine runs the program in
  pulseaudio pulseaudio-utils libpulse0 sox  # sound scenarios: a null sink, recorded and measured
  python3                                  # the end-to-end wrappers measure recordings and NTP replies
  tzdata unicode-cldr-core                 # the city table's sources (tools/citygen), checked by a test
  faketime libfaketime                     # the soak: accelerated time for the Wine processes only
  nsis                                     # makensis: the Japanese installer of `make dist`
  osslsigncode openssl                     # signing the release (make dist with SIGN_PKCS12) and its test
  clang-14 libclang-rt-14-dev              # fuzz targets: clang with libFuzzer, ASan and UBSan runtimes
  sunclock                                 # make cost: the X11 world clock measured beside ours
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Wine takes its code page and file-name encoding from the locale: a Japanese user's.
ensure_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
  fi
}

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if [ ${#missing[@]} -eq 0 ]; then
  ensure_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_locale
