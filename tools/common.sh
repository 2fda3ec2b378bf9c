# Shared by ./run and ./test: install what is missing, then configure and build
# into build/.
KESTRUN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages of a list (by default tools/debian-packages.txt) that
# are missing.
install_packages() {
  local missing=() pkg
  while read -r pkg; do
    case "$pkg" in ''|'#'*) continue ;; esac
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
  done < "${1:-$KESTRUN_ROOT/tools/debian-packages.txt}"
  command -v node >/dev/null || missing+=(nodejs npm)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
  fi
}

install_node_modules() {
  [ -f "$KESTRUN_ROOT/package-lock.json" ] || return 0
  if [ ! -f "$KESTRUN_ROOT/node_modules/.package-lock.json" ] ||
     [ "$KESTRUN_ROOT/package-lock.json" -nt "$KESTRUN_ROOT/node_modules/.package-lock.json" ]; then
    (cd "$KESTRUN_ROOT" && npm ci --no-audit --no-fund)
  fi
}

build() {
  cmake -S "$KESTRUN_ROOT" -B "$KESTRUN_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$KESTRUN_ROOT/build" -j "$(nproc)"
}
