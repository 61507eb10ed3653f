# Helpers for running the program against the simulator in a profile of its
# own, so a user's real settings are never touched. Sourced by scripts/run
# and scripts/screenshots.

# zo_make_profile DIR PORT [LANG] [LAYOUT] [WIDTH] [HEIGHT] [FONT]
# Writes a settings file that selects port PORT (and the given language,
# window layout, window size and font size) into DIR/config/Zo/VAD2.reg.
zo_make_profile() {
  local dir=$1
  mkdir -p "$dir/config/Zo" "$dir/run"
  chmod 700 "$dir/run"
  shift
  zo_write_settings "$dir/config/Zo/VAD2.reg" "$dir" "$@"
}

# zo_write_settings FILE FOLDER PORT [LANG] [LAYOUT] [WIDTH] [HEIGHT] [FONT]
# Writes a complete settings file; FOLDER is the first folder of the file dialogs.
zo_write_settings() {
  local file=$1 folder=$2 port=$3 lang=${4:-0} layout=${5:-0} width=${6:-900} height=${7:-650}
  local font=${8:-10}
  local name
  hex() { printf 'dword:%08x' "$1"; }
  {
    echo '; ZoLpgWin demo profile'
    echo "\"DirOpen\"=\"$folder\""
    echo "\"DirSave\"=\"$folder\""
    for name in RamIndex Help; do echo "\"$name\"=$(hex 0)"; done
    echo "\"TrackX\"=$(hex 1)"
    echo "\"LineRPM\"=$(hex 1)"
    echo "\"LineLAM\"=$(hex 1)"
    for name in LineSIM LineTPS LineMOT LinePSI LineDEF LineRAM; do echo "\"$name\"=$(hex 0)"; done
    echo "\"ColorRPM\"=$(hex 255)"
    echo "\"ColorLAM1\"=$(hex 65280)"
    echo "\"ColorSIM\"=$(hex 32768)"
    echo "\"ColorTPS\"=$(hex 65535)"
    echo "\"ColorMOT1\"=$(hex 16776960)"
    echo "\"ColorDEF\"=$(hex 16711935)"
    echo "\"ColorPSI\"=$(hex 16711680)"
    echo "\"ColorRAM\"=$(hex 128)"
    echo "\"Scale\"=$(hex 3)"
    echo "\"Vertical\"=$(hex 0)"
    echo "\"FontSize\"=$(hex "$font")"
    echo "\"Lang\"=$(hex "$lang")"
    echo "\"Comm\"=$(hex "$port")"
    echo "\"VisuSco\"=$(hex "$layout")"
    echo "\"WGrid\"=$(hex 188)"
    echo "\"WTop\"=$(hex 0)"
    echo "\"WLeft\"=$(hex 0)"
    echo "\"WWidth\"=$(hex "$width")"
    echo "\"WHeight\"=$(hex "$height")"
    echo "\"WState\"=$(hex 0)"
  } | zo_override_settings > "$file"
}

# Replaces the lines of the names that ZO_EXTRA_SETTINGS ("Name"=value lines)
# sets, in place, and appends those it does not find.
zo_override_settings() {
  python3 -c '
import os, sys
extra = [l for l in os.environ.get("ZO_EXTRA_SETTINGS", "").splitlines() if "=" in l]
values = {l.split("=", 1)[0]: l for l in extra}
seen = set()
for line in sys.stdin.read().splitlines():
    name = line.split("=", 1)[0]
    seen.add(name)
    print(values.get(name, line))
for name, line in values.items():
    if name not in seen:
        print(line)
'

}

# zo_start_sim DIR PORT [extra lpgsim options]: starts lpgsim registered as
# COM<PORT> in the profile's port folder (the simulator $ZO_LPGSIM, by
# default the one in build/bin), its output in $ZO_SIM_OUT (by default
# DIR/lpgsim.log); prints its process id.
zo_start_sim() {
  local dir=$1 port=$2
  shift 2
  XDG_CONFIG_HOME="$dir/config" "${ZO_LPGSIM:-build/bin/lpgsim}" --port "$port" "$@" \
    >"${ZO_SIM_OUT:-$dir/lpgsim.log}" 2>&1 &
  local pid=$!
  for _ in $(seq 50); do
    [ -L "$dir/config/Zo/ports/COM$port" ] && break
    sleep 0.1
  done
  echo "$pid"
}
