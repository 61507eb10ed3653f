# Installs the Debian packages the build and the tests need, only when one is
# missing, so a warm machine is not slowed down. Sourced by scripts/test and
# scripts/run.

ZO_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format clang-tidy libclang-rt-dev
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
  locales
  libzip-dev  # the support package is a zip
  poppler-utils  # pdftotext and pdfimages read the service report in its test
)

zo_install_deps() {
  zo_install_packages "${ZO_PACKAGES[@]}"
}

# Installs those of the given Debian packages that are missing.
zo_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
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

# The number formatting tests run under a locale with a decimal comma, as a
# Polish or German workshop machine has.
zo_ensure_comma_locale() {
  if locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Note: no pl_PL.UTF-8 locale; the decimal-comma test will be skipped."
    return 0
  fi
  sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen || echo 'pl_PL.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
}
