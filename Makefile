# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over the CMake presets. Every target first installs the Debian
# packages that are missing (as root, or through sudo).
PACKAGES := g++ cmake ninja-build pkg-config libblkid-dev qt6-base-dev qt6-qpa-plugins qt6-tools-dev \
            qt6-l10n-tools fonts-dejavu-core xvfb xauth imagemagick librsvg2-bin
SAMPLES  := build/sample-collection
# The tests validate the desktop entry, the AppStream metadata and the manual page, and run the
# renamer on real exFAT, ext4 and btrfs volumes and on a FUSE volume of their own that misbehaves
# on purpose (built with libfuse3), which the benchmarks also use as a slow share; CPack reads the
# program's library dependencies with dpkg-shlibdeps, and finds the program with file.
test:    PACKAGES += desktop-file-utils appstream groff-base exfat-fuse exfatprogs e2fsprogs btrfs-progs \
                     fuse3 libfuse3-dev
bench:   PACKAGES += exfat-fuse exfatprogs fuse3 libfuse3-dev
package: PACKAGES += dpkg-dev file

.PHONY: deps build run test bench package clean

# $(call install,PACKAGES): installs those of the Debian packages that are missing.
install = missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
	  echo "Installing:$$missing"; \
	  $$sudo apt-get update && \
	  $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

deps:
	@$(call install,$(PACKAGES))

build: deps
	cmake --preset dev
	cmake --build --preset dev

run: build
	@[ -d $(SAMPLES) ] || scripts/make-sample-collection.sh $(SAMPLES)
	cd $(SAMPLES) && ../app/tamsells-file-utilities

test: build
	ctest --preset dev

bench: build
	ctest --preset bench

package: build
	cmake --build --preset dev --target package

clean:
	rm -rf build
