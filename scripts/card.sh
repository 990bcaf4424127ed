# Sourced by the card tests and the benchmark (root only): a "card" made of an ext4
# (or other) image on a loop device, mounted at $card_dir.
#   card_make IMAGE_MIB TMPFS_MIB [WRITE_BYTES_PER_SECOND [WRITE_REQUESTS_PER_SECOND [FS]]]
# The image lies on a tmpfs of TMPFS_MIB, so a card may promise more than it holds.
# A speed holds its writes, the system's own writeback included, to that many bytes
# (and requests) a second (cgroup v1 blkio throttle); 0 leaves it free. ext2 has no
# journal: its own blocks are written in place, as on FAT. card_remove undoes it all.
card_make() {
  card_root=$(mktemp -d) && mount -t tmpfs -o "size=$2M" zq347-card "$card_root" || return 1
  truncate -s "$1M" "$card_root/card.img" && "mkfs.${5:-ext4}" -q -F "$card_root/card.img" ||
    return 1
  card_loop=$(losetup -f --show "$card_root/card.img") || return 1
  card_dir=$card_root/card
  mkdir "$card_dir" && mount "$card_loop" "$card_dir" || return 1
  card_device=$(lsblk -dno MAJ:MIN "$card_loop" | tr -d ' ')
  card_throttle=
  if [[ ${3:-0} != 0 ]]; then
    card_throttle=/sys/fs/cgroup/blkio/blkio.throttle.write
    echo "$card_device $3" >"${card_throttle}_bps_device" || return 1
  fi
  if [[ ${4:-0} != 0 ]]; then
    card_throttle=/sys/fs/cgroup/blkio/blkio.throttle.write
    echo "$card_device $4" >"${card_throttle}_iops_device" || return 1
  fi
}

# Sectors written to the card's device so far, and write requests it took.
card_sectors() {
  awk '{ print $7 }' "/sys/block/${card_loop#/dev/}/stat"
}
card_requests() {
  awk '{ print $5 }' "/sys/block/${card_loop#/dev/}/stat"
}

card_remove() {
  if [[ -n ${card_throttle:-} ]]; then
    echo "$card_device 0" >"${card_throttle}_bps_device" 2>/dev/null
    echo "$card_device 0" >"${card_throttle}_iops_device" 2>/dev/null
  fi
  [[ -n ${card_dir:-} ]] && umount "$card_dir" 2>/dev/null
  [[ -n ${card_loop:-} ]] && losetup -d "$card_loop"
  [[ -n ${card_root:-} ]] && umount "$card_root" && rmdir "$card_root"
  card_dir= card_loop= card_root= card_throttle=
}

# Root, a tmpfs, loop devices and ext4 are all needed; exits 77 (skipped) without them.
card_require() {
  if [[ $(id -u) != 0 ]]; then
    echo "Skipped: making a card needs root."
    exit 77
  fi
  if ! command -v losetup >/dev/null || ! command -v mkfs.ext4 >/dev/null ||
    ! losetup -f >/dev/null 2>&1; then
    echo "Skipped: no loop device or mkfs.ext4 here."
    exit 77
  fi
  if [[ ${1:-} == throttle && ! -w /sys/fs/cgroup/blkio/blkio.throttle.write_bps_device ]]; then
    echo "Skipped: no cgroup v1 blkio throttle here."
    exit 77
  fi
}

# The dialog's and the command line's choices in FOLDER: ZQ347Fill.cfg with one size
# entry of MIB MiB for one channel and one for sixteen in synchronous mode, and a
# ZQ347Fill.sav that picks entry SIZE_INDEX with CHANNELS A channels.
#   write_choices FOLDER MIB SIZE_INDEX CHANNELS SYNCHRO_MODE
write_choices() {
  rm -f "$1"/*.VDF
  local one=$(($2 * 1024 * 1024 / 2)) sixteen=$(($2 * 1024 * 1024 / 64))
  sed -e "/^SizeArray/,/[^\\\\]\$/c\\SizeArray = $one, $sixteen" \
    "$(dirname "${BASH_SOURCE[0]}")/../resources/ZQ347Fill.cfg" >"$1/ZQ347Fill.cfg"
  {
    printf 'FreqIndex   = 0\r\nSizeIndex   = %d\r\nFileNumber  = 0\r\n' "$3"
    printf 'SynchroMode = %d\r\nCycleMode   = 0\r\nZeroMul     = 0\r\nDigitalBIT0 = 0\r\n' "$5"
    for c in $(seq 1 16); do
      printf 'ChA%dIndex = %d\r\nChB%dIndex = %d\r\n' "$c" $((c <= $4 ? 2 : 0)) "$c" \
        $((c <= $4 && $5 == 1 ? 2 : 0))
    done
  } >"$1/ZQ347Fill.sav"
}
