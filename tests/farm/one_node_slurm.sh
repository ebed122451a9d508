# A one-node Slurm cluster on the loopback interface, for tests: munged, slurmctld and slurmd run as
# root in the foreground of background jobs, with the key, configuration, state and logs in one
# folder, and are stopped by their process ids. Sourced by a test:
#   slurm_start FOLDER   starts the cluster (or prints "SKIP: reason" and exits 77 where it cannot)
#   slurm_wait_job ID S  waits at most S seconds for job ID to end; prints its JobState
#   slurm_stop           cancels the jobs listed in slurm_jobs and stops the daemons (call it on exit)
# The client commands find the cluster through SLURM_CONF, which slurm_start exports.

slurm_pids=()
slurm_jobs=()

slurm_skip() {
  echo "SKIP: $*"
  exit 77
}

# A TCP port nothing listens on: a random one, checked against the kernel's table of listening sockets.
slurm_free_port() {
  local port hex
  for _ in $(seq 50); do
    port=$((20000 + RANDOM % 30000))
    printf -v hex ':%04X ' "$port"
    if ! awk '$4 == "0A" { print $2 " " }' /proc/net/tcp /proc/net/tcp6 2>/dev/null | grep -q "$hex"; then
      echo "$port"
      return
    fi
  done
  return 1
}

slurm_start() {
  local dir=$1
  [ "$(id -u)" -eq 0 ] || slurm_skip "the Slurm daemons need root"
  local program
  for program in munged slurmctld slurmd sbatch scontrol scancel squeue; do
    command -v "$program" >/dev/null || slurm_skip "$program is not installed (scripts/setup.sh native)"
  done
  mkdir -p "$dir"/{ctld,spool,munge}
  chmod 700 "$dir/munge"

  # MUNGE: a fresh key, its socket in the folder.
  head -c 1024 /dev/urandom >"$dir/munge/key"
  chmod 400 "$dir/munge/key"
  munged --foreground --force --key-file="$dir/munge/key" --socket="$dir/munge/socket" \
    --pid-file="$dir/munge/pid" --log-file="$dir/munge/log" --seed-file="$dir/munge/seed" \
    >"$dir/munged.out" 2>&1 &
  slurm_pids+=($!)

  local ctld_port slurmd_port
  ctld_port=$(slurm_free_port) && slurmd_port=$(slurm_free_port) || slurm_skip "no free port found"
  export SLURM_CONF=$dir/slurm.conf
  cat >"$SLURM_CONF" <<EOF
ClusterName=fxhosttest
SlurmctldHost=localhost(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$dir/munge/socket
StateSaveLocation=$dir/ctld
SlurmdSpoolDir=$dir/spool
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd.pid
SlurmctldLogFile=$dir/slurmctld.log
SlurmdLogFile=$dir/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
SchedulerType=sched/builtin
MpiDefault=none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
SwitchType=switch/none
ReturnToService=2
KillWait=5
MinJobAge=600
NodeName=localhost NodeAddr=127.0.0.1 CPUs=2 RealMemory=500 State=UNKNOWN
PartitionName=debug Nodes=localhost Default=YES MaxTime=INFINITE State=UP
EOF

  # Wait for munged's socket before the Slurm daemons need it.
  for _ in $(seq 50); do
    [ -S "$dir/munge/socket" ] && break
    sleep 0.1
  done
  [ -S "$dir/munge/socket" ] || slurm_skip "munged did not start: $(tail -n 1 "$dir/munged.out" "$dir/munge/log" 2>/dev/null | tr '\n' ' ')"

  slurmctld -D -i -f "$SLURM_CONF" >"$dir/slurmctld.out" 2>&1 &
  slurm_pids+=($!)
  slurmd -D -N localhost -f "$SLURM_CONF" >"$dir/slurmd.out" 2>&1 &
  slurm_pids+=($!)

  # Up when the node takes jobs.
  local state=""
  for _ in $(seq 150); do
    state=$(scontrol show node localhost 2>/dev/null | grep -o 'State=[A-Z+_]*' | head -n 1)
    case $state in State=IDLE* | State=MIXED* | State=ALLOCATED*) return 0 ;; esac
    sleep 0.2
  done
  slurm_skip "the one-node cluster did not come up (node ${state:-unknown}): $(tail -n 2 "$dir/slurmctld.log" "$dir/slurmd.log" 2>/dev/null | tr '\n' ' ')"
}

# The state of job ID once it has ended ("COMPLETED", "FAILED", "CANCELLED", ...), waiting at most S
# seconds; "TIMEOUT-WAITING" when it has not ended by then.
slurm_wait_job() {
  local id=$1 seconds=$2 state
  local end=$((SECONDS + seconds))
  while [ $SECONDS -lt $end ]; do
    state=$(scontrol show job "$id" 2>/dev/null | grep -o 'JobState=[A-Z_]*' | head -n 1)
    state=${state#JobState=}
    case $state in PENDING | RUNNING | CONFIGURING | COMPLETING | "") sleep 0.2 ;; *)
      echo "$state"
      return
      ;;
    esac
  done
  echo TIMEOUT-WAITING
}

slurm_stop() {
  local id pid
  for id in "${slurm_jobs[@]}"; do scancel "$id" 2>/dev/null; done
  # Jobs end before their daemon does, so that no task outlives the cluster.
  for _ in $(seq 50); do
    [ ${#slurm_jobs[@]} -eq 0 ] && break
    [ -z "$(squeue -h -o %i 2>/dev/null)" ] && break
    sleep 0.2
  done
  for ((i = ${#slurm_pids[@]} - 1; i >= 0; i--)); do
    pid=${slurm_pids[i]}
    kill "$pid" 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
  done
  wait 2>/dev/null
  slurm_pids=()
}
