#!/usr/bin/env bash
# Sets up, builds and starts the program.
#   scripts/run.sh                 with your own settings and serial ports
#   scripts/run.sh --simulate [N]  first starts N (1 to 4, default 1) simulated
#                                  WCUs on pseudo-terminals (SD on odd, HD on
#                                  even camera numbers), links COM1..N to them
#                                  and gives the program N cameras on those
#                                  ports; the simulators stop when it ends.
# The simulated run keeps its settings apart from yours, in
# build/simulation/Quorvale/Ravivida Ordexia. ORDEXIA_BUILD_DIR names another
# build folder than build/.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: scripts/run.sh [--simulate [N]]   (N from 1 to 4)" >&2
  exit 2
}

cameras=0
case "${1:-}" in
  "") ;;
  --simulate)
    cameras="${2:-1}"
    [[ "$cameras" =~ ^[1-4]$ ]] || usage
    ;;
  *) usage ;;
esac

scripts/setup.sh

build_dir="${ORDEXIA_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" --target Wireless_Ordexia wcu_simulator
program="$build_dir/bin/Wireless_Ordexia"

if [ "$cameras" -eq 0 ]; then
  exec "$program"
fi

export XDG_CONFIG_HOME="$(cd "$build_dir" && pwd)/simulation"
settings="$XDG_CONFIG_HOME/Quorvale/Ravivida Ordexia"
registry="$settings/Registry.ini"
mkdir -p "$settings/ports"

# Sets integer values of the program's registry key in its settings file.
set_registry_values() {
  local section='[Software\Quorvale\Ravivida Ordexia]'
  [ -f "$registry" ] || printf '%s\n' "$section" >"$registry"
  grep -qxF "$section" "$registry" || printf '%s\n' "$section" >>"$registry"
  local pair name
  for pair in "$@"; do
    name="${pair%%=*}"
    if grep -q "^$name=" "$registry"; then
      sed -i "s/^$name=.*/$pair/" "$registry"
    else
      awk -v section="$section" -v pair="$pair" \
        '{ print } $0 == section { print pair }' "$registry" >"$registry.new"
      mv "$registry.new" "$registry"
    fi
  done
}

simulators=()
stop_simulators() {
  if [ ${#simulators[@]} -gt 0 ]; then
    kill "${simulators[@]}" 2>/dev/null || true
    wait "${simulators[@]}" 2>/dev/null || true
  fi
}
trap stop_simulators EXIT

values=("Camera_Count=$cameras")
for ((n = 1; n <= cameras; n++)); do
  link="$settings/ports/COM$n"
  # A simulator that was killed leaves its link to a pseudo-terminal now gone.
  if [ -L "$link" ] && [ ! -e "$link" ]; then rm -f "$link"; fi
  type=0x101
  if ((n % 2 == 0)); then type=0x200; fi
  "$build_dir/tools/wcu_simulator" --com "$n" --type "$type" </dev/null >/dev/null &
  simulators+=($!)
  tries=0
  until [ -L "$link" ] || [ $tries -ge 200 ]; do
    kill -0 "${simulators[-1]}" 2>/dev/null || { echo "run.sh: the simulator for COM$n did not start" >&2; exit 1; }
    sleep 0.05
    tries=$((tries + 1))
  done
  [ -L "$link" ] || { echo "run.sh: the simulator for COM$n did not link ports/COM$n" >&2; exit 1; }
  values+=("Port_Number_Cam$n=$n")
done
set_registry_values "${values[@]}"
echo "Simulated WCUs on COM1 to COM$cameras; settings in $settings"

"$program"
