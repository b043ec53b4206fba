#include "FaultInjection.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>

namespace tagloom::test {

namespace {

// The state of the one fault that may be armed at a time.
struct Armed {
    std::mutex mutex;
    bool active = false;
    std::string folder;
    int target = 0;
    int count = 0;
    int error = EIO;
    bool struck = false;
    std::set<int> watchedFds;
};

// Never destroyed: files are closed until the very end of the program.
Armed& armed() {
    static Armed* state = new Armed;
    return *state;
}

template <typename Function>
Function real(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

// The folder itself counts too: a file may be made in it without a name.
bool underFolder(const char* path) {
    Armed& state = armed();
    if (!path || state.folder.empty()) return false;
    const std::string name(path);
    return name.rfind(state.folder, 0) == 0 || name + "/" == state.folder;
}

// Counts one operation; true when it is the one to fail (errno is set then).
bool failsNow(bool watched) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    if (!state.active || !watched) return false;
    if (++state.count != state.target) return false;
    state.struck = true;
    errno = state.error;
    return true;
}

bool watchedPath(const char* path) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    return state.active && underFolder(path);
}

bool watchedFd(int fd) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    return state.active && state.watchedFds.count(fd) != 0;
}

void track(const char* path, int fd) {
    if (fd < 0) return;
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    if (state.active && underFolder(path)) state.watchedFds.insert(fd);
}

int openWith(const char* name, const char* path, int flags, mode_t mode) {
    using Open = int (*)(const char*, int, ...);
    static const Open openReal = real<Open>(name);
    if (failsNow(watchedPath(path))) return -1;
    const int fd = openReal(path, flags, mode);
    track(path, fd);
    return fd;
}

mode_t modeOf(int flags, va_list args) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

InjectedFault::InjectedFault(const std::string& folder, int n, int error) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    state.active = true;
    state.folder = folder;
    state.target = n;
    state.count = 0;
    state.error = error;
    state.struck = false;
    state.watchedFds.clear();
}

InjectedFault::~InjectedFault() {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    state.active = false;
    state.watchedFds.clear();
}

bool InjectedFault::struck() const {
    const std::lock_guard lock(armed().mutex);
    return armed().struck;
}

int InjectedFault::operations() const {
    const std::lock_guard lock(armed().mutex);
    return armed().count;
}

}  // namespace tagloom::test

using tagloom::test::failsNow;
using tagloom::test::watchedFd;
using tagloom::test::watchedPath;

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = tagloom::test::modeOf(flags, args);
    va_end(args);
    return tagloom::test::openWith("open", path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = tagloom::test::modeOf(flags, args);
    va_end(args);
    return tagloom::test::openWith("open64", path, flags, mode);
}

ssize_t read(int fd, void* buffer, size_t count) {
    static const auto readReal = tagloom::test::real<ssize_t (*)(int, void*, size_t)>("read");
    if (failsNow(watchedFd(fd))) return -1;
    return readReal(fd, buffer, count);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
    static const auto preadReal = tagloom::test::real<ssize_t (*)(int, void*, size_t, off_t)>("pread");
    if (failsNow(watchedFd(fd))) return -1;
    return preadReal(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off_t offset) {
    static const auto preadReal = tagloom::test::real<ssize_t (*)(int, void*, size_t, off_t)>("pread64");
    if (failsNow(watchedFd(fd))) return -1;
    return preadReal(fd, buffer, count, offset);
}

ssize_t write(int fd, const void* buffer, size_t count) {
    static const auto writeReal = tagloom::test::real<ssize_t (*)(int, const void*, size_t)>("write");
    if (failsNow(watchedFd(fd))) return -1;
    return writeReal(fd, buffer, count);
}

int fsync(int fd) {
    static const auto fsyncReal = tagloom::test::real<int (*)(int)>("fsync");
    if (failsNow(watchedFd(fd))) return -1;
    return fsyncReal(fd);
}

int fdatasync(int fd) {
    static const auto fdatasyncReal = tagloom::test::real<int (*)(int)>("fdatasync");
    if (failsNow(watchedFd(fd))) return -1;
    return fdatasyncReal(fd);
}

int rename(const char* from, const char* to) {
    static const auto renameReal = tagloom::test::real<int (*)(const char*, const char*)>("rename");
    if (failsNow(watchedPath(to))) return -1;
    return renameReal(from, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    static const auto renameat2Real =
        tagloom::test::real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    if (failsNow(watchedPath(to))) return -1;
    return renameat2Real(fromDir, from, toDir, to, flags);
}

// How a file made without a name gets its name.
int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    static const auto linkatReal = tagloom::test::real<int (*)(int, const char*, int, const char*, int)>("linkat");
    if (failsNow(watchedPath(to))) return -1;
    return linkatReal(fromDir, from, toDir, to, flags);
}

int close(int fd) {
    static const auto closeReal = tagloom::test::real<int (*)(int)>("close");
    {
        tagloom::test::Armed& state = tagloom::test::armed();
        const std::lock_guard lock(state.mutex);
        state.watchedFds.erase(fd);
    }
    return closeReal(fd);
}

}  // extern "C"
