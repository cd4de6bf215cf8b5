// SPDX-License-Identifier: GPL-3.0-or-later
// This file keeps the C style of the kernel and libfuse (tabs), not the program's.
// clang-format off
// An LD_PRELOAD library that stops the program as a kill or a power cut would,
// at a chosen call on the files it renames (the change records, whose names
// begin with "change-", pass untouched):
//   TAMSELLS_KILL_AFTER_LINKS=N    killed right after the Nth hard link made
//   TAMSELLS_KILL_AFTER_RENAMES=N  killed right after the Nth rename that went through
//   TAMSELLS_REFUSE_NOREPLACE=1    RENAME_NOREPLACE fails with EINVAL, as on NFS and CIFS

#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static long setting(const char *name)
{
	const char *value = getenv(name);
	return value ? strtol(value, NULL, 10) : 0;
}

static int watched(const char *path)
{
	const char *name = strrchr(path, '/');
	return strncmp(name ? name + 1 : path, "change-", 7) != 0;
}

static long links, renames;

// Counts a call that went through, and kills the program at the chosen one.
static int counted(int result, const char *path, long *made, const char *limit)
{
	if (result == 0 && watched(path) && ++*made == setting(limit))
		kill(getpid(), SIGKILL);
	return result;
}

int linkat(int olddir, const char *oldpath, int newdir, const char *newpath, int flags)
{
	int (*real)(int, const char *, int, const char *, int) = dlsym(RTLD_NEXT, "linkat");
	return counted(real(olddir, oldpath, newdir, newpath, flags), newpath, &links, "TAMSELLS_KILL_AFTER_LINKS");
}

int renameat2(int olddir, const char *oldpath, int newdir, const char *newpath, unsigned int flags)
{
	int (*real)(int, const char *, int, const char *, unsigned int) = dlsym(RTLD_NEXT, "renameat2");
	if ((flags & 1 /* RENAME_NOREPLACE */) && setting("TAMSELLS_REFUSE_NOREPLACE") && watched(newpath)) {
		errno = EINVAL;
		return -1;
	}
	return counted(real(olddir, oldpath, newdir, newpath, flags), newpath, &renames, "TAMSELLS_KILL_AFTER_RENAMES");
}

int renameat(int olddir, const char *oldpath, int newdir, const char *newpath)
{
	int (*real)(int, const char *, int, const char *) = dlsym(RTLD_NEXT, "renameat");
	return counted(real(olddir, oldpath, newdir, newpath), newpath, &renames, "TAMSELLS_KILL_AFTER_RENAMES");
}
