# Installs the Debian packages the build and the tests need, only when one is
# missing, so a warm machine is not slowed down. Sourced by scripts/test and
# scripts/run.

ZO_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
)

zo_install_deps() {
  local missing=()
  local pkg
  for pkg in "${ZO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
