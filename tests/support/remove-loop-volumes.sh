#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Unmounts and detaches the loop-mounted volumes of tests that crashed before
# they could remove their own.
for mnt in $(awk '$2 ~ /tamsells-loop-/ { print $2 }' /proc/self/mounts); do
  umount "$mnt" || umount -l "$mnt"
done
losetup -a 2>/dev/null | grep 'tamsells-loop-' | cut -d: -f1 | while read -r dev; do
  losetup -d "$dev"
done
exit 0
