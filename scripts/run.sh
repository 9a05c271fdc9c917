#!/usr/bin/env bash
# Sets up, builds and starts the program.
#   scripts/run.sh                 with your own settings and serial ports
#   scripts/run.sh --simulate [N] [--scenario]
#                                  first starts N (1 to 4, default 1) simulated
#                                  WCUs on pseudo-terminals (SD on odd, HD on
#                                  even camera numbers), links COM1..N to them
#                                  and gives the program N cameras on those
#                                  ports; the simulators stop when it ends.
#                                  Each simulated camera system starts healthy.
#                                  With --scenario they play the alarm scenario
#                                  in a loop, printing each step.
# The simulated run keeps its settings apart from yours, in
# build/simulation/Quorvale/Ravivida Ordexia (ORDEXIA_SIMULATION_DIR names
# another folder than build/simulation); an SD camera's frequency ranges
# are set there to the simulator's until you choose others. A second
# simulated run while one is going starts no simulator: the program brings
# the running one to the front. ORDEXIA_BUILD_DIR names another build folder
# than build/. SIGTERM, SIGINT and SIGHUP sent to this script reach the
# program, which closes as from its close button; the script ends with the
# program's exit code.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: scripts/run.sh [--simulate [N] [--scenario]]   (N from 1 to 4)" >&2
  exit 2
}

cameras=0
scenario=()
case "${1:-}" in
  "") ;;
  --simulate)
    shift
    cameras=1
    if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
      cameras="$1"
      shift
    fi
    [[ "$cameras" =~ ^[1-4]$ ]] || usage
    case "${1:-}" in
      "") ;;
      --scenario) scenario=(--scenario loop); shift ;;
      *) usage ;;
    esac
    [ $# -eq 0 ] || usage
    ;;
  *) usage ;;
esac

scripts/build.sh Wireless_Ordexia wcu_simulator
build_dir="${ORDEXIA_BUILD_DIR:-build}"
program="$build_dir/bin/Wireless_Ordexia"

if [ "$cameras" -eq 0 ]; then
  exec "$program"
fi

mkdir -p "${ORDEXIA_SIMULATION_DIR:-$build_dir/simulation}"
export XDG_CONFIG_HOME="$(cd "${ORDEXIA_SIMULATION_DIR:-$build_dir/simulation}" && pwd)"
settings="$XDG_CONFIG_HOME/Quorvale/Ravivida Ordexia"
registry="$settings/Registry.ini"
mkdir -p "$settings/ports"

# One simulated run at a time: this lock is held by this script, its
# simulators and the program for as long as any of them runs. A second run
# starts the program alone, which brings the running one to the front.
exec 9>>"$settings/simulation.lock"
if ! flock -n 9; then
  echo "Wireless Ordexia is already running on the simulated WCUs: bringing it to the front"
  exec 9>&-
  exec "$program"
fi

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

# Sets integer values that are missing or 0 (not chosen), keeping a choice
# made in the program.
set_registry_defaults() {
  local pair missing=()
  for pair in "$@"; do
    grep -q "^${pair%%=*}=[1-9]" "$registry" 2>/dev/null || missing+=("$pair")
  done
  if [ ${#missing[@]} -gt 0 ]; then set_registry_values "${missing[@]}"; fi
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
defaults=()
for ((n = 1; n <= cameras; n++)); do
  link="$settings/ports/COM$n"
  # With the lock held no other simulated run serves this port: a link left
  # there by a simulator that was killed is stale, even if its pseudo-terminal
  # number has been given to another program since.
  rm -f "$link"
  if ((n % 2 == 0)); then
    type=0x201
  else
    type=0x101
    # The ranges the simulated SD system is built for (2,2 - 2,4 GHz, 433 MHz).
    defaults+=("Video_Range_Frequency_Cam$n=1" "Data_Range_Frequency_Cam$n=1")
  fi
  if [ ${#scenario[@]} -gt 0 ]; then
    "$build_dir/tools/wcu_simulator" --com "$n" --type "$type" "${scenario[@]}" </dev/null \
      > >(sed -u -n "s/^scenario: /camera $n: /p") &
  else
    "$build_dir/tools/wcu_simulator" --com "$n" --type "$type" </dev/null >/dev/null &
  fi
  simulators+=($!)
  # The program opens its ports at once, and a COM number without its link
  # would open the table's device: it starts only once every link is there.
  # A loaded machine may start a simulator slowly; one that fails ends.
  until [ -L "$link" ] && [ -e "$link" ]; do
    kill -0 "${simulators[-1]}" 2>/dev/null || { echo "run.sh: the simulator for COM$n did not start" >&2; exit 1; }
    sleep 0.05
  done
  values+=("Port_Number_Cam$n=$n")
done
set_registry_values "${values[@]}"
if [ ${#defaults[@]} -gt 0 ]; then set_registry_defaults "${defaults[@]}"; fi
if [ "$cameras" -eq 1 ]; then ports="a simulated WCU on COM1"; else ports="simulated WCUs on COM1 to COM$cameras"; fi
echo "Starting Wireless Ordexia with $ports; settings in $settings"

# In the background so that a signal to this script reaches the program,
# which then closes in its own way; the simulators stop when it has ended.
"$program" &
program_pid=$!
trap 'kill -TERM "$program_pid" 2>/dev/null || true' TERM INT HUP
while :; do
  status=0
  wait "$program_pid" || status=$?
  kill -0 "$program_pid" 2>/dev/null || break
done
exit "$status"
