#define _GNU_SOURCE
#include "FileSystemCalls.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <string.h>

enum { KeptPaths = 8, PathLength = 200 };

static int g_counting;
static pthread_t g_thread;
static int g_calls;
static char g_paths[KeptPaths][PathLength];

void fsCallsStart(void)
{
    g_thread = pthread_self();
    g_calls = 0;
    g_counting = 1;
}

int fsCallsStop(void)
{
    g_counting = 0;
    return g_calls;
}

const char *fsCallsPath(int index)
{
    return index >= 0 && index < KeptPaths && index < g_calls ? g_paths[index] : "";
}

static void note(const char *call, const char *path)
{
    if (!__atomic_load_n(&g_counting, __ATOMIC_RELAXED) || !pthread_equal(pthread_self(), g_thread))
        return;
    if (g_calls < KeptPaths) {
        strncpy(g_paths[g_calls], call, PathLength - 1);
        strncat(g_paths[g_calls], " ", PathLength - strlen(g_paths[g_calls]) - 1);
        strncat(g_paths[g_calls], path ? path : "(null)",
                PathLength - strlen(g_paths[g_calls]) - 1);
    }
    ++g_calls;
}

static void *next(const char *name)
{
    return dlsym(RTLD_NEXT, name);
}

// open() takes a mode only when it may create the file; otherwise the
// kernel ignores the one passed on, so 0 will do.
#define MODE_ARG(flags, mode)                                                                      \
    int mode = 0;                                                                                  \
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {                                   \
        va_list ap;                                                                                \
        va_start(ap, flags);                                                                       \
        mode = va_arg(ap, int);                                                                    \
        va_end(ap);                                                                                \
    }

#define OPEN_LIKE(name)                                                                            \
    int name(const char *path, int flags, ...)                                                     \
    {                                                                                              \
        static int (*real)(const char *, int, ...);                                                \
        if (!real)                                                                                 \
            real = (int (*)(const char *, int, ...))next(#name);                                   \
        note(#name, path);                                                                         \
        MODE_ARG(flags, mode)                                                                      \
        return real(path, flags, mode);                                                            \
    }

#define OPENAT_LIKE(name)                                                                          \
    int name(int dir, const char *path, int flags, ...)                                            \
    {                                                                                              \
        static int (*real)(int, const char *, int, ...);                                           \
        if (!real)                                                                                 \
            real = (int (*)(int, const char *, int, ...))next(#name);                              \
        note(#name, path);                                                                         \
        MODE_ARG(flags, mode)                                                                      \
        return real(dir, path, flags, mode);                                                       \
    }

#define PATH_CALL(name, type)                                                                      \
    int name(const char *path, type arg)                                                           \
    {                                                                                              \
        static int (*real)(const char *, type);                                                    \
        if (!real)                                                                                 \
            real = (int (*)(const char *, type))next(#name);                                       \
        note(#name, path);                                                                         \
        return real(path, arg);                                                                    \
    }

OPEN_LIKE(open)
OPEN_LIKE(open64)
OPENAT_LIKE(openat)
OPENAT_LIKE(openat64)
PATH_CALL(stat, void *)
PATH_CALL(stat64, void *)
PATH_CALL(lstat, void *)
PATH_CALL(lstat64, void *)
PATH_CALL(access, int)

int statx(int dir, const char *path, int flags, unsigned mask, void *buffer)
{
    static int (*real)(int, const char *, int, unsigned, void *);
    if (!real)
        real = (int (*)(int, const char *, int, unsigned, void *))next("statx");
    note("statx", path);
    return real(dir, path, flags, mask, buffer);
}

int fstatat(int dir, const char *path, void *buffer, int flags)
{
    static int (*real)(int, const char *, void *, int);
    if (!real)
        real = (int (*)(int, const char *, void *, int))next("fstatat");
    note("fstatat", path);
    return real(dir, path, buffer, flags);
}
