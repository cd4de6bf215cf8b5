// SPDX-License-Identifier: GPL-3.0-or-later
// This file keeps the C style of the kernel and libfuse (tabs), not the program's.
// clang-format off
// faultfs SOURCE MOUNTPOINT [fuse options]
//
// Mirrors SOURCE at MOUNTPOINT and lets a test or benchmark make that volume
// misbehave on purpose: renames, writes and fsyncs that fail, a volume that
// refuses RENAME_NOREPLACE or dies after some renames, a slow share. It is
// steered through ".faultfs" at the mount's root: each line written there is a
// command, and reading it gives the number of requests of each kind since the
// last reset. See usage() for the commands.
//
// It uses the low-level FUSE API so that lookups are counted apart from
// getattrs, and keeps an O_PATH descriptor of each inode the kernel knows, so
// renames need no path bookkeeping. It always runs in the foreground, one
// request at a time.

#define _GNU_SOURCE
#define FUSE_USE_VERSION 35

#include <fuse_lowlevel.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <limits.h>
#include <search.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <time.h>
#include <unistd.h>

#define CONTROL_NAME ".faultfs"

// ---- request counters ------------------------------------------------------

enum kind {
	K_LOOKUP, K_GETATTR, K_SETATTR, K_READLINK, K_MKDIR, K_UNLINK, K_RMDIR,
	K_SYMLINK, K_RENAME, K_OPEN, K_READ, K_WRITE, K_FLUSH, K_RELEASE,
	K_FSYNC, K_OPENDIR, K_READDIR, K_RELEASEDIR, K_FSYNCDIR, K_STATFS,
	K_ACCESS, K_CREATE, K_LINK, K_FORGET, K_KINDS
};
static const char *const kind_names[K_KINDS] = {
	"lookup", "getattr", "setattr", "readlink", "mkdir", "unlink", "rmdir",
	"symlink", "rename", "open", "read", "write", "flush", "release",
	"fsync", "opendir", "readdir", "releasedir", "fsyncdir", "statfs",
	"access", "create", "link", "forget"
};

// ---- faults, set through the control file ----------------------------------

struct globs {
	char **v;
	size_t n;
};

static struct {
	struct globs rename_from, rename_to, refuse_name, fail_write, enospc_write, fail_fsync;
	long nth_left;   // renames until the one that fails; 0 = off
	long after_left; // renames that may still succeed; -1 = off
	int refuse_noreplace, refuse_exchange, refuse_link;
	long delay_ms;
	int64_t count[K_KINDS];
	int64_t renames_failed, writes_failed, fsyncs_failed;
} fault = { .after_left = -1 };

static void globs_clear(struct globs *g)
{
	for (size_t i = 0; i < g->n; i++)
		free(g->v[i]);
	free(g->v);
	g->v = NULL;
	g->n = 0;
}

static int globs_add(struct globs *g, const char *glob)
{
	char **v = realloc(g->v, (g->n + 1) * sizeof *v);
	if (!v)
		return ENOMEM;
	g->v = v;
	if (!(g->v[g->n] = strdup(glob)))
		return ENOMEM;
	g->n++;
	return 0;
}

static int globs_match(const struct globs *g, const char *name)
{
	for (size_t i = 0; i < g->n; i++)
		if (fnmatch(g->v[i], name, 0) == 0)
			return 1;
	return 0;
}

static void reset(void)
{
	struct globs *all[] = { &fault.rename_from, &fault.rename_to, &fault.refuse_name,
				&fault.fail_write, &fault.enospc_write, &fault.fail_fsync };
	for (size_t i = 0; i < sizeof all / sizeof *all; i++)
		globs_clear(all[i]);
	memset(&fault, 0, sizeof fault);
	fault.after_left = -1;
}

// Counts a request and holds it back for the delay of a slow share.
static void begin(enum kind k)
{
	fault.count[k]++;
	if (fault.delay_ms <= 0 || k == K_FORGET)
		return;
	struct timespec left = { fault.delay_ms / 1000, (fault.delay_ms % 1000) * 1000000L };
	while (nanosleep(&left, &left) == -1 && errno == EINTR)
		;
}

static int parse_count(const char *arg, long min, long *out)
{
	char *end;
	errno = 0;
	long v = strtol(arg, &end, 10);
	if (errno || end == arg || *end || v < min)
		return EINVAL;
	*out = v;
	return 0;
}

// One line written to the control file; returns an errno for a bad one.
static int command(char *line)
{
	size_t len = strlen(line);
	while (len && (line[len - 1] == '\r' || line[len - 1] == ' ' || line[len - 1] == '\t'))
		line[--len] = '\0';
	while (*line == ' ' || *line == '\t')
		line++;
	if (!*line)
		return 0;
	char *arg = line + strcspn(line, " \t");
	if (*arg)
		*arg++ = '\0';
	arg += strspn(arg, " \t");

	static const struct {
		const char *name;
		struct globs *globs;
	} glob_commands[] = {
		{ "fail-rename-from", &fault.rename_from },
		{ "fail-rename-to", &fault.rename_to },
		{ "refuse-name", &fault.refuse_name },
		{ "fail-write", &fault.fail_write },
		{ "enospc-write", &fault.enospc_write },
		{ "fail-fsync", &fault.fail_fsync },
	};
	for (size_t i = 0; i < sizeof glob_commands / sizeof *glob_commands; i++)
		if (!strcmp(line, glob_commands[i].name))
			return *arg ? globs_add(glob_commands[i].globs, arg) : EINVAL;

	if (!strcmp(line, "fail-rename-nth"))
		return parse_count(arg, 1, &fault.nth_left);
	if (!strcmp(line, "fail-rename-after"))
		return parse_count(arg, 0, &fault.after_left);
	if (!strcmp(line, "delay-ms"))
		return parse_count(arg, 0, &fault.delay_ms);
	if (*arg)
		return EINVAL;
	if (!strcmp(line, "refuse-noreplace"))
		return fault.refuse_noreplace = 1, 0;
	if (!strcmp(line, "refuse-exchange"))
		return fault.refuse_exchange = 1, 0;
	if (!strcmp(line, "refuse-link"))
		return fault.refuse_link = 1, 0;
	if (!strcmp(line, "reset"))
		return reset(), 0;
	return EINVAL;
}

// ---- inodes ------------------------------------------------------------------

struct node {
	int fd; // O_PATH, never followed
	dev_t dev;
	ino_t ino;
	uint64_t nlookup;
};

static struct node root, control;
static void *nodes; // tsearch tree keyed by (dev, ino)
static double attr_timeout = 1.0, entry_timeout = 1.0;

static int node_compare(const void *a, const void *b)
{
	const struct node *x = a, *y = b;
	if (x->dev != y->dev)
		return x->dev < y->dev ? -1 : 1;
	return x->ino < y->ino ? -1 : x->ino > y->ino;
}

static struct node *node_of(fuse_ino_t ino)
{
	return ino == FUSE_ROOT_ID ? &root : (struct node *)(uintptr_t)ino;
}

static int fd_of(fuse_ino_t ino)
{
	return node_of(ino)->fd;
}

static int is_control(fuse_ino_t ino)
{
	return ino != FUSE_ROOT_ID && node_of(ino) == &control;
}

// O_PATH descriptors cannot be opened, chmod-ed or truncated directly; their
// /proc link can.
static const char *proc_path(int fd, char buf[64])
{
	snprintf(buf, 64, "/proc/self/fd/%d", fd);
	return buf;
}

// The current last path component of an open file, for the write and fsync
// faults; it follows renames made after the file was opened.
static int open_file_matches(int fd, const struct globs *g)
{
	if (!g->n)
		return 0;
	char link[64], target[PATH_MAX];
	ssize_t len = readlink(proc_path(fd, link), target, sizeof target - 1);
	if (len < 0)
		return 0;
	target[len] = '\0';
	char *deleted = strstr(target, " (deleted)");
	if (deleted && deleted[10] == '\0')
		*deleted = '\0';
	const char *slash = strrchr(target, '/');
	return globs_match(g, slash ? slash + 1 : target);
}

static void control_attr(struct stat *st)
{
	memset(st, 0, sizeof *st);
	st->st_ino = (uintptr_t)&control;
	st->st_mode = S_IFREG | 0666;
	st->st_nlink = 1;
	st->st_uid = getuid();
	st->st_gid = getgid();
}

// Finds or adds the node of parent/name and fills the entry the kernel wants.
static int make_entry(fuse_ino_t parent, const char *name, struct fuse_entry_param *e)
{
	memset(e, 0, sizeof *e);
	int fd = openat(fd_of(parent), name, O_PATH | O_NOFOLLOW);
	if (fd == -1)
		return errno;
	if (fstatat(fd, "", &e->attr, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW) == -1) {
		int err = errno;
		close(fd);
		return err;
	}
	struct node key = { .dev = e->attr.st_dev, .ino = e->attr.st_ino };
	struct node **found = tfind(&key, &nodes, node_compare);
	struct node *n;
	if (found) {
		n = *found;
		close(fd);
	} else {
		if (!(n = calloc(1, sizeof *n))) {
			close(fd);
			return ENOMEM;
		}
		*n = key;
		n->fd = fd;
		if (!tsearch(n, &nodes, node_compare)) {
			free(n);
			close(fd);
			return ENOMEM;
		}
	}
	n->nlookup++;
	e->ino = (uintptr_t)n;
	e->attr_timeout = attr_timeout;
	e->entry_timeout = entry_timeout;
	return 0;
}

static void reply_entry(fuse_req_t req, fuse_ino_t parent, const char *name)
{
	struct fuse_entry_param e;
	int err = make_entry(parent, name, &e);
	if (err)
		fuse_reply_err(req, err);
	else
		fuse_reply_entry(req, &e);
}

static void reply_errno(fuse_req_t req, int result)
{
	fuse_reply_err(req, result == -1 ? errno : 0);
}

// ---- operations --------------------------------------------------------------

static void fs_lookup(fuse_req_t req, fuse_ino_t parent, const char *name)
{
	if (parent == FUSE_ROOT_ID && !strcmp(name, CONTROL_NAME)) {
		// Never cached, so that a test sees it at once after a remount.
		struct fuse_entry_param e = { .ino = (uintptr_t)&control };
		control_attr(&e.attr);
		fuse_reply_entry(req, &e);
		return;
	}
	begin(K_LOOKUP);
	reply_entry(req, parent, name);
}

static void fs_forget(fuse_req_t req, fuse_ino_t ino, uint64_t nlookup)
{
	begin(K_FORGET);
	struct node *n = node_of(ino);
	if (n != &root && n != &control) {
		n->nlookup -= nlookup < n->nlookup ? nlookup : n->nlookup;
		if (!n->nlookup) {
			tdelete(n, &nodes, node_compare);
			close(n->fd);
			free(n);
		}
	}
	fuse_reply_none(req);
}

static void fs_getattr(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	struct stat st;
	if (is_control(ino)) {
		control_attr(&st);
		fuse_reply_attr(req, &st, 0);
		return;
	}
	begin(K_GETATTR);
	if (fstatat(fd_of(ino), "", &st, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW) == -1)
		fuse_reply_err(req, errno);
	else
		fuse_reply_attr(req, &st, attr_timeout);
}

static void fs_setattr(fuse_req_t req, fuse_ino_t ino, struct stat *attr, int to_set,
		       struct fuse_file_info *fi)
{
	struct stat st;
	if (is_control(ino)) {
		// Opening it for writing with O_TRUNC lands here; there is nothing to cut.
		control_attr(&st);
		fuse_reply_attr(req, &st, 0);
		return;
	}
	begin(K_SETATTR);
	int fd = fd_of(ino);
	char proc[64];
	proc_path(fd, proc);
	int result = 0;
	if (to_set & FUSE_SET_ATTR_MODE)
		result = fi ? fchmod(fi->fh, attr->st_mode) : chmod(proc, attr->st_mode);
	if (!result && (to_set & (FUSE_SET_ATTR_UID | FUSE_SET_ATTR_GID)))
		result = fchownat(fd, "", to_set & FUSE_SET_ATTR_UID ? attr->st_uid : (uid_t)-1,
				  to_set & FUSE_SET_ATTR_GID ? attr->st_gid : (gid_t)-1,
				  AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW);
	if (!result && (to_set & FUSE_SET_ATTR_SIZE))
		result = fi ? ftruncate(fi->fh, attr->st_size) : truncate(proc, attr->st_size);
	if (!result && (to_set & (FUSE_SET_ATTR_ATIME | FUSE_SET_ATTR_MTIME))) {
		struct timespec tv[2] = { { 0, UTIME_OMIT }, { 0, UTIME_OMIT } };
		if (to_set & FUSE_SET_ATTR_ATIME_NOW)
			tv[0].tv_nsec = UTIME_NOW;
		else if (to_set & FUSE_SET_ATTR_ATIME)
			tv[0] = attr->st_atim;
		if (to_set & FUSE_SET_ATTR_MTIME_NOW)
			tv[1].tv_nsec = UTIME_NOW;
		else if (to_set & FUSE_SET_ATTR_MTIME)
			tv[1] = attr->st_mtim;
		result = fi ? futimens(fi->fh, tv) : utimensat(AT_FDCWD, proc, tv, 0);
	}
	if (result == -1 || fstatat(fd, "", &st, AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW) == -1)
		fuse_reply_err(req, errno);
	else
		fuse_reply_attr(req, &st, attr_timeout);
}

static void fs_readlink(fuse_req_t req, fuse_ino_t ino)
{
	begin(K_READLINK);
	char target[PATH_MAX + 1];
	ssize_t len = readlinkat(fd_of(ino), "", target, sizeof target);
	if (len == -1)
		fuse_reply_err(req, errno);
	else if (len == sizeof target)
		fuse_reply_err(req, ENAMETOOLONG);
	else {
		target[len] = '\0';
		fuse_reply_readlink(req, target);
	}
}

static void fs_mkdir(fuse_req_t req, fuse_ino_t parent, const char *name, mode_t mode)
{
	begin(K_MKDIR);
	if (mkdirat(fd_of(parent), name, mode) == -1)
		fuse_reply_err(req, errno);
	else
		reply_entry(req, parent, name);
}

static void fs_symlink(fuse_req_t req, const char *link, fuse_ino_t parent, const char *name)
{
	begin(K_SYMLINK);
	if (symlinkat(link, fd_of(parent), name) == -1)
		fuse_reply_err(req, errno);
	else
		reply_entry(req, parent, name);
}

static void fs_unlink(fuse_req_t req, fuse_ino_t parent, const char *name)
{
	begin(K_UNLINK);
	reply_errno(req, unlinkat(fd_of(parent), name, 0));
}

static void fs_rmdir(fuse_req_t req, fuse_ino_t parent, const char *name)
{
	begin(K_RMDIR);
	reply_errno(req, unlinkat(fd_of(parent), name, AT_REMOVEDIR));
}

// The kernel hands renameat2's RENAME_NOREPLACE and RENAME_EXCHANGE over in
// flags; a volume without them answers EINVAL, as sshfs and exfat-fuse do.
static void fs_rename(fuse_req_t req, fuse_ino_t parent, const char *name,
		      fuse_ino_t newparent, const char *newname, unsigned int flags)
{
	begin(K_RENAME);
	int err = 0;
	if (fault.nth_left > 0 && --fault.nth_left == 0)
		err = EIO;
	else if (globs_match(&fault.rename_from, name) || globs_match(&fault.rename_to, newname))
		err = EIO;
	else if (fault.after_left == 0)
		err = EIO;
	else if (globs_match(&fault.refuse_name, newname))
		err = EINVAL;
	else if (((flags & RENAME_NOREPLACE) && fault.refuse_noreplace)
		 || ((flags & RENAME_EXCHANGE) && fault.refuse_exchange))
		err = EINVAL;
	if (err) {
		fault.renames_failed++;
		fuse_reply_err(req, err);
		return;
	}
	if (renameat2(fd_of(parent), name, fd_of(newparent), newname, flags) == -1) {
		fuse_reply_err(req, errno);
		return;
	}
	if (fault.after_left > 0)
		fault.after_left--;
	fuse_reply_err(req, 0);
}

// QFile::rename tries link() and unlink() when RENAME_NOREPLACE is refused;
// a volume without hard links (exFAT) answers EPERM.
static void fs_link(fuse_req_t req, fuse_ino_t ino, fuse_ino_t newparent, const char *newname)
{
	begin(K_LINK);
	char proc[64];
	if (fault.refuse_link || is_control(ino))
		fuse_reply_err(req, EPERM);
	else if (globs_match(&fault.refuse_name, newname))
		fuse_reply_err(req, EINVAL);
	else if (linkat(AT_FDCWD, proc_path(fd_of(ino), proc), fd_of(newparent), newname,
			AT_SYMLINK_FOLLOW) == -1)
		fuse_reply_err(req, errno);
	else
		reply_entry(req, newparent, newname);
}

// The control file's open handle: what a read returns, taken when it is
// opened and again at each read from the start.
struct control_handle {
	char text[2048];
	size_t len;
};

static void control_snapshot(struct control_handle *h)
{
	size_t len = 0;
	for (int k = 0; k < K_KINDS; k++)
		len += snprintf(h->text + len, sizeof h->text - len, "%s %lld\n", kind_names[k],
				(long long)fault.count[k]);
	len += snprintf(h->text + len, sizeof h->text - len,
			"renames-failed %lld\nwrites-failed %lld\nfsyncs-failed %lld\n",
			(long long)fault.renames_failed, (long long)fault.writes_failed,
			(long long)fault.fsyncs_failed);
	h->len = len < sizeof h->text ? len : sizeof h->text - 1;
}

static void fs_open(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		struct control_handle *h = calloc(1, sizeof *h);
		if (!h) {
			fuse_reply_err(req, ENOMEM);
			return;
		}
		control_snapshot(h);
		fi->fh = (uintptr_t)h;
		fi->direct_io = 1; // the counters change between reads
		fuse_reply_open(req, fi);
		return;
	}
	begin(K_OPEN);
	char proc[64];
	int fd = open(proc_path(fd_of(ino), proc), fi->flags & ~O_NOFOLLOW);
	if (fd == -1) {
		fuse_reply_err(req, errno);
		return;
	}
	fi->fh = fd;
	fuse_reply_open(req, fi);
}

static void fs_create(fuse_req_t req, fuse_ino_t parent, const char *name, mode_t mode,
		      struct fuse_file_info *fi)
{
	begin(K_CREATE);
	int fd = openat(fd_of(parent), name, (fi->flags | O_CREAT) & ~O_NOFOLLOW, mode);
	if (fd == -1) {
		fuse_reply_err(req, errno);
		return;
	}
	struct fuse_entry_param e;
	int err = make_entry(parent, name, &e);
	if (err) {
		close(fd);
		fuse_reply_err(req, err);
		return;
	}
	fi->fh = fd;
	fuse_reply_create(req, &e, fi);
}

static void fs_read(fuse_req_t req, fuse_ino_t ino, size_t size, off_t off,
		    struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		struct control_handle *h = (struct control_handle *)(uintptr_t)fi->fh;
		if (off == 0)
			control_snapshot(h);
		size_t from = (size_t)off < h->len ? (size_t)off : h->len;
		size_t n = h->len - from < size ? h->len - from : size;
		fuse_reply_buf(req, h->text + from, n);
		return;
	}
	begin(K_READ);
	char *buf = malloc(size ? size : 1);
	if (!buf) {
		fuse_reply_err(req, ENOMEM);
		return;
	}
	ssize_t n = pread(fi->fh, buf, size, off);
	if (n == -1)
		fuse_reply_err(req, errno);
	else
		fuse_reply_buf(req, buf, n);
	free(buf);
}

static void fs_write(fuse_req_t req, fuse_ino_t ino, const char *data, size_t size, off_t off,
		     struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		// Each write holds whole lines; a last line without a newline counts too.
		char *text = strndup(data, size);
		if (!text) {
			fuse_reply_err(req, ENOMEM);
			return;
		}
		int err = 0;
		for (char *line = text, *next; line && !err; line = next) {
			next = strchr(line, '\n');
			if (next)
				*next++ = '\0';
			err = command(line);
		}
		free(text);
		if (err)
			fuse_reply_err(req, err);
		else
			fuse_reply_write(req, size);
		return;
	}
	begin(K_WRITE);
	int err = open_file_matches(fi->fh, &fault.fail_write)     ? EIO
		  : open_file_matches(fi->fh, &fault.enospc_write) ? ENOSPC
								   : 0;
	if (err) {
		fault.writes_failed++;
		fuse_reply_err(req, err);
		return;
	}
	ssize_t n = pwrite(fi->fh, data, size, off);
	if (n == -1)
		fuse_reply_err(req, errno);
	else
		fuse_reply_write(req, n);
}

static void fs_flush(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		fuse_reply_err(req, 0);
		return;
	}
	begin(K_FLUSH);
	// What close() on a network share does: it may report a late error.
	reply_errno(req, close(dup(fi->fh)));
}

static void fs_release(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		free((void *)(uintptr_t)fi->fh);
		fuse_reply_err(req, 0);
		return;
	}
	begin(K_RELEASE);
	close(fi->fh);
	fuse_reply_err(req, 0);
}

static void fs_fsync(fuse_req_t req, fuse_ino_t ino, int datasync, struct fuse_file_info *fi)
{
	if (is_control(ino)) {
		fuse_reply_err(req, 0);
		return;
	}
	begin(K_FSYNC);
	if (open_file_matches(fi->fh, &fault.fail_fsync)) {
		fault.fsyncs_failed++;
		fuse_reply_err(req, EIO);
		return;
	}
	reply_errno(req, datasync ? fdatasync(fi->fh) : fsync(fi->fh));
}

struct dir_handle {
	DIR *dp;
	struct dirent *entry; // read but not yet handed to the kernel
	off_t offset;
};

static void fs_opendir(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	begin(K_OPENDIR);
	struct dir_handle *d = calloc(1, sizeof *d);
	int fd = d ? openat(fd_of(ino), ".", O_RDONLY | O_DIRECTORY) : -1;
	if (fd == -1 || !(d->dp = fdopendir(fd))) {
		int err = d ? errno : ENOMEM;
		if (fd != -1)
			close(fd);
		free(d);
		fuse_reply_err(req, err);
		return;
	}
	fi->fh = (uintptr_t)d;
	fuse_reply_open(req, fi);
}

static void fs_readdir(fuse_req_t req, fuse_ino_t ino, size_t size, off_t off,
		       struct fuse_file_info *fi)
{
	begin(K_READDIR);
	struct dir_handle *d = (struct dir_handle *)(uintptr_t)fi->fh;
	char *buf = malloc(size);
	if (!buf) {
		fuse_reply_err(req, ENOMEM);
		return;
	}
	if (off != d->offset) {
		seekdir(d->dp, off);
		d->entry = NULL;
		d->offset = off;
	}
	size_t used = 0;
	int err = 0;
	for (;;) {
		if (!d->entry) {
			errno = 0;
			if (!(d->entry = readdir(d->dp))) {
				err = errno;
				break;
			}
		}
		struct stat st = { .st_ino = d->entry->d_ino, .st_mode = d->entry->d_type << 12 };
		size_t need = fuse_add_direntry(req, buf + used, size - used, d->entry->d_name,
						&st, d->entry->d_off);
		if (need > size - used)
			break;
		used += need;
		d->offset = d->entry->d_off;
		d->entry = NULL;
	}
	if (err && !used)
		fuse_reply_err(req, err);
	else
		fuse_reply_buf(req, buf, used);
	free(buf);
}

static void fs_releasedir(fuse_req_t req, fuse_ino_t ino, struct fuse_file_info *fi)
{
	begin(K_RELEASEDIR);
	struct dir_handle *d = (struct dir_handle *)(uintptr_t)fi->fh;
	closedir(d->dp);
	free(d);
	fuse_reply_err(req, 0);
}

static void fs_fsyncdir(fuse_req_t req, fuse_ino_t ino, int datasync, struct fuse_file_info *fi)
{
	begin(K_FSYNCDIR);
	struct dir_handle *d = (struct dir_handle *)(uintptr_t)fi->fh;
	reply_errno(req, fsync(dirfd(d->dp)));
}

static void fs_statfs(fuse_req_t req, fuse_ino_t ino)
{
	begin(K_STATFS);
	struct statvfs sv;
	if (fstatvfs(fd_of(ino), &sv) == -1)
		fuse_reply_err(req, errno);
	else
		fuse_reply_statfs(req, &sv);
}

static void fs_access(fuse_req_t req, fuse_ino_t ino, int mask)
{
	if (is_control(ino)) {
		fuse_reply_err(req, 0);
		return;
	}
	begin(K_ACCESS);
	char proc[64];
	reply_errno(req, faccessat(AT_FDCWD, proc_path(fd_of(ino), proc), mask, 0));
}

static const struct fuse_lowlevel_ops ops = {
	.lookup = fs_lookup,
	.forget = fs_forget,
	.getattr = fs_getattr,
	.setattr = fs_setattr,
	.readlink = fs_readlink,
	.mkdir = fs_mkdir,
	.unlink = fs_unlink,
	.rmdir = fs_rmdir,
	.symlink = fs_symlink,
	.rename = fs_rename,
	.link = fs_link,
	.open = fs_open,
	.read = fs_read,
	.write = fs_write,
	.flush = fs_flush,
	.release = fs_release,
	.fsync = fs_fsync,
	.opendir = fs_opendir,
	.readdir = fs_readdir,
	.releasedir = fs_releasedir,
	.fsyncdir = fs_fsyncdir,
	.statfs = fs_statfs,
	.access = fs_access,
	.create = fs_create,
};

static void usage(const char *program)
{
	fprintf(stderr,
		"usage: %s SOURCE MOUNTPOINT [fuse options]\n"
		"  -o attr_timeout=SECONDS,entry_timeout=SECONDS  kernel caching (1 s each)\n"
		"Lines written to MOUNTPOINT/" CONTROL_NAME ":\n"
		"  fail-rename-from GLOB   renames whose source name matches fail with EIO\n"
		"  fail-rename-to GLOB     renames whose target name matches fail with EIO\n"
		"  fail-rename-nth N       the Nth rename from now fails with EIO\n"
		"  fail-rename-after N     every rename after the next N successful ones fails\n"
		"  refuse-noreplace        RENAME_NOREPLACE fails with EINVAL\n"
		"  refuse-exchange         RENAME_EXCHANGE fails with EINVAL\n"
		"  refuse-link             hard links fail with EPERM\n"
		"  refuse-name GLOB        renames and links to matching names fail with EINVAL,\n"
		"                          as FAT and exFAT drives refuse \":\"\n"
		"  fail-write GLOB         writes to matching files fail with EIO\n"
		"  enospc-write GLOB       writes to matching files fail with ENOSPC\n"
		"  fail-fsync GLOB         fsync of matching files fails with EIO\n"
		"  delay-ms D              every request waits D ms before it answers\n"
		"  reset                   clears the faults, the delay and the counters\n"
		"Reading it gives the requests of each kind since the last reset.\n",
		program);
}

int main(int argc, char *argv[])
{
	if (argc < 3 || argv[1][0] == '-' || argv[2][0] == '-') {
		usage(argv[0]);
		return 2;
	}
	root.fd = open(argv[1], O_PATH | O_DIRECTORY);
	struct stat st;
	if (root.fd == -1 || fstat(root.fd, &st) == -1) {
		perror(argv[1]);
		return 1;
	}
	root.dev = st.st_dev;
	root.ino = st.st_ino;
	root.nlookup = 2;
	tsearch(&root, &nodes, node_compare);
	// The kernel has already applied the caller's umask to the modes it sends.
	umask(0);

	struct {
		double attr, entry;
	} timeouts = { attr_timeout, entry_timeout };
	static const struct fuse_opt timeout_opts[] = {
		{ "attr_timeout=%lf", offsetof(__typeof__(timeouts), attr), 0 },
		{ "entry_timeout=%lf", offsetof(__typeof__(timeouts), entry), 0 },
		FUSE_OPT_END
	};
	struct fuse_args args = FUSE_ARGS_INIT(0, NULL);
	fuse_opt_add_arg(&args, argv[0]);
	fuse_opt_add_arg(&args, "-ofsname=faultfs,subtype=faultfs");
	for (int i = 2; i < argc; i++)
		fuse_opt_add_arg(&args, argv[i]);
	struct fuse_cmdline_opts cmdline;
	if (fuse_opt_parse(&args, &timeouts, timeout_opts, NULL) == -1
	    || fuse_parse_cmdline(&args, &cmdline) == -1)
		return 2;
	if (cmdline.show_help || cmdline.show_version || !cmdline.mountpoint) {
		usage(argv[0]);
		return cmdline.show_help ? 0 : 2;
	}
	attr_timeout = timeouts.attr;
	entry_timeout = timeouts.entry;

	int status = 1;
	struct fuse_session *se = fuse_session_new(&args, &ops, sizeof ops, NULL);
	if (se && fuse_set_signal_handlers(se) == 0) {
		if (fuse_session_mount(se, cmdline.mountpoint) == 0) {
			status = fuse_session_loop(se) ? 1 : 0;
			fuse_session_unmount(se);
		}
		fuse_remove_signal_handlers(se);
	}
	if (se)
		fuse_session_destroy(se);
	free(cmdline.mountpoint);
	fuse_opt_free_args(&args);
	return status;
}
