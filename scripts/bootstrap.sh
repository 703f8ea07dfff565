#!/usr/bin/env bash
# Installs every build dependency of the project that is missing (Debian).
# Idempotent: does nothing when everything is there.
set -euo pipefail

paquetes=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-serialport-dev libqt6opengl6-dev
  xvfb xauth fonts-dejavu-core
  proj-bin geographiclib-tools
  ccache libeigen3-dev libpugixml-dev libdxflib-dev libproj-dev
  qt6-svg-dev poppler-utils socat
  locales
  qt6-translations-l10n cmark
  clang libclang-rt-14-dev dpkg-dev
  g++-mingw-w64-x86-64-posix googletest
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done

if ((${#faltan[@]})); then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

# The import tests read numbers under a comma-decimal locale.
if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" sed -i 's/^# *es_ES.UTF-8 UTF-8/es_ES.UTF-8 UTF-8/' /etc/locale.gen
  "${sudo_cmd[@]}" locale-gen es_ES.UTF-8 >/dev/null
fi
