// An LD_PRELOAD library that stops the program as a kill or a power cut would,
// at a chosen call on the files of one folder, TAMSELLS_SHIM_FOLDER (and the
// folders below it):
//   TAMSELLS_KILL_AFTER_LINKS=N    killed right after the Nth hard link made
//   TAMSELLS_KILL_AFTER_RENAMES=N  killed right after the Nth rename that went through
//   TAMSELLS_REFUSE_NOREPLACE=1    renameat2's RENAME_NOREPLACE fails with EINVAL,
//                                  as on NFS, CIFS and many FUSE volumes
// Calls on other files (the change records) pass untouched.

#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE 1
#endif

static long links_made, renames_made;

static long setting(const char *name)
{
	const char *value = getenv(name);
	return value ? strtol(value, NULL, 10) : 0;
}

// Whether name, taken from the folder at, lies in the shim's folder.
static int watched(int at, const char *name)
{
	const char *folder = getenv("TAMSELLS_SHIM_FOLDER");
	if (!folder || !*folder)
		return 0;
	char path[PATH_MAX * 2] = "";
	if (name[0] != '/') {
		char link[64];
		ssize_t length;
		if (at == AT_FDCWD) {
			if (!getcwd(path, PATH_MAX))
				return 0;
			length = (ssize_t)strlen(path);
		} else {
			snprintf(link, sizeof link, "/proc/self/fd/%d", at);
			length = readlink(link, path, PATH_MAX);
			if (length < 0)
				return 0;
		}
		path[length] = '/';
		path[length + 1] = '\0';
	}
	strncat(path, name, sizeof path - strlen(path) - 1);
	size_t size = strlen(folder);
	return strncmp(path, folder, size) == 0 && (path[size] == '/' || path[size] == '\0');
}

static void counted(long *made, const char *limit)
{
	long wanted = setting(limit);
	if (wanted > 0 && ++*made == wanted)
		kill(getpid(), SIGKILL);
}

int linkat(int olddir, const char *oldpath, int newdir, const char *newpath, int flags)
{
	int (*real)(int, const char *, int, const char *, int) = dlsym(RTLD_NEXT, "linkat");
	int result = real(olddir, oldpath, newdir, newpath, flags);
	if (result == 0 && watched(newdir, newpath))
		counted(&links_made, "TAMSELLS_KILL_AFTER_LINKS");
	return result;
}

int renameat2(int olddir, const char *oldpath, int newdir, const char *newpath, unsigned int flags)
{
	int (*real)(int, const char *, int, const char *, unsigned int) = dlsym(RTLD_NEXT, "renameat2");
	if ((flags & RENAME_NOREPLACE) && setting("TAMSELLS_REFUSE_NOREPLACE") && watched(newdir, newpath)) {
		errno = EINVAL;
		return -1;
	}
	int result = real(olddir, oldpath, newdir, newpath, flags);
	if (result == 0 && watched(newdir, newpath))
		counted(&renames_made, "TAMSELLS_KILL_AFTER_RENAMES");
	return result;
}

int renameat(int olddir, const char *oldpath, int newdir, const char *newpath)
{
	int (*real)(int, const char *, int, const char *) = dlsym(RTLD_NEXT, "renameat");
	int result = real(olddir, oldpath, newdir, newpath);
	if (result == 0 && watched(newdir, newpath))
		counted(&renames_made, "TAMSELLS_KILL_AFTER_RENAMES");
	return result;
}
