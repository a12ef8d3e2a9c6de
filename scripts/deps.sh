# Installs the Debian packages the build, the program and the tests need.
# Sourced by scripts/run and scripts/test.
mg_packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libx11-dev libgl1-mesa-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
  libegl-mesa0 libglx-mesa0
  libstb-dev libfreetype-dev libfontconfig-dev libpango1.0-dev libcairo2-dev libzip-dev
  unzip  # the mail test reads the program's zip back with it
  locales  # the tests that check numbers ignore the locale compile a German one
  fonts-dejavu-core fonts-wqy-microhei
  libcli11-dev nlohmann-json3-dev jq libcpp-httplib-dev libsqlite3-dev libgtest-dev libbenchmark-dev
  libboost-dev  # Boost.Beast serves HTTP in the comparison server
  libpq-dev postgresql  # the comparison server's second store, and a real one for its tests
  wrk  # load trials of the comparison server
  curl  # the upload test reads the server's answers
  xvfb xauth xdotool x11-utils xdg-utils
  desktop-file-utils  # the install test validates the menu entry with it
  clang-format
  chromium  # the compare test opens the compare page in it, headless
)

# What the Windows cross build (scripts/build-windows) adds: the mingw-w64
# compilers, Wine to run its tests, GoogleTest's sources, and the header-only
# libraries it copies from the host.
mg_windows_packages=(
  cmake ninja-build
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64
  googletest nlohmann-json3-dev libcli11-dev libstb-dev
)

# Installs the packages named, or the Linux build's (mg_packages) when none is.
mg_install_deps() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${mg_packages[@]}")
  local missing=()
  local p
  for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Optimised without debug information: debug information is most of the
# compile time and neither the program nor its tests need it.
mg_release_flags=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
                  "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG")

# Configures a build folder: Ninja for a new one, whatever generator an
# existing one was made with otherwise.
mg_configure() {
  local dir="$1"; shift
  local generator=()
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake "${generator[@]}" -S "$root" -B "$dir" "$@" >/dev/null
}
