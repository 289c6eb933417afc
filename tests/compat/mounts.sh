# Sourced by the compatibility scripts.
# mount_system ROOT mounts what programs in the chroot ROOT need of the
# kernel: /proc (apt's scripts, and the /dev/fd links that bash's process
# substitution uses), a fresh /dev/shm and a private /dev/pts (dpkg's log
# opens a terminal). The device nodes (null, zero, random, urandom, tty)
# are files that debootstrap made in ROOT/dev: nothing of the host's /dev
# is bound in, so removing a chroot can never reach it.
# unmount_system ROOT undoes that; remove_tree DIR unmounts whatever is
# mounted below DIR, deepest first, and then removes DIR. chroot_recipe
# names the scripts that make a chroot: a chroot made by others is remade.

mount_system() {
  mount -t proc proc "$1/proc"
  mount -t tmpfs -o nosuid,nodev,mode=1777 shm "$1/dev/shm"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$1/dev/pts"
}

unmount_system() {
  umount "$1/dev/pts" "$1/dev/shm" "$1/proc"
}

remove_tree() {
  awk -v below="$1/" 'index($2, below) == 1 { print $2 }' /proc/self/mounts |
    sort -r | xargs -r -n 1 umount -l
  # Never crosses into a file system still mounted below DIR.
  rm -rf --one-file-system "$1"
}

chroot_recipe() {
  cat "$here/make_chroot" "$here/mounts.sh" | sha256sum | cut -d ' ' -f 1
}

# in_root ROOT COMMAND...: COMMAND as root inside ROOT with a clean
# environment, keeping only the host's OpenBLAS core settings (some
# processors need them for correct results) and CI, and with the default
# action for SIGPIPE.
in_root() {
  local root=$1
  shift
  chroot "$root" env -i --default-signal=PIPE HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    ${OPENBLAS_CORETYPE:+OPENBLAS_CORETYPE=$OPENBLAS_CORETYPE} \
    ${OPENBLAS_L2_SIZE:+OPENBLAS_L2_SIZE=$OPENBLAS_L2_SIZE} \
    ${CI:+CI=$CI} "$@"
}
