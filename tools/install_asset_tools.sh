#!/bin/sh
# Installs the Debian packages the asset generators need, when any is missing.
# Playing and testing the game never need these: the generated files are committed.
set -e
need=""
command -v espeak-ng >/dev/null 2>&1 || need="$need espeak-ng"
command -v sox >/dev/null 2>&1 || need="$need sox"
command -v oggenc >/dev/null 2>&1 || need="$need vorbis-tools"
/usr/bin/python3 -c "import PIL" >/dev/null 2>&1 || need="$need python3-pil"
/usr/bin/python3 -c "import numpy" >/dev/null 2>&1 || need="$need python3-numpy"
[ -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ] || need="$need fonts-dejavu-core"
if [ -n "$need" ]; then
  echo "installing:$need"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $need
fi
