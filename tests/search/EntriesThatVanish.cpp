#include "EntriesThatVanish.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>

#include <mutex>
#include <utility>

namespace tagloom::test {

namespace {

struct Armed {
    std::mutex mutex;
    bool active = false;
    std::string name;
    std::function<void()> change;
    bool struck = false;
};

// Never destroyed: files are opened until the very end of the program.
Armed& armed() {
    static Armed* state = new Armed;
    return *state;
}

// The change due before opening `path`, taken once; empty for every other opening.
std::function<void()> changeBefore(const char* path) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    if (!state.active || state.struck || !path || state.name != path) return {};
    state.struck = true;
    return state.change;
}

int openatWith(const char* name, int folder, const char* path, int flags, mode_t mode) {
    using Openat = int (*)(int, const char*, int, ...);
    static const auto openatReal = reinterpret_cast<Openat>(::dlsym(RTLD_NEXT, name));
    // Made outside the lock: the change may open files itself.
    if (const std::function<void()> change = changeBefore(path)) change();
    return openatReal(folder, path, flags, mode);
}

mode_t modeOf(int flags, va_list args) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

}  // namespace

BeforeOpening::BeforeOpening(const std::string& name, std::function<void()> change) {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    state.active = true;
    state.name = name;
    state.change = std::move(change);
    state.struck = false;
}

BeforeOpening::~BeforeOpening() {
    Armed& state = armed();
    const std::lock_guard lock(state.mutex);
    state.active = false;
    state.change = nullptr;
}

bool BeforeOpening::struck() const {
    const std::lock_guard lock(armed().mutex);
    return armed().struck;
}

}  // namespace tagloom::test

extern "C" {

int openat(int folder, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = tagloom::test::modeOf(flags, args);
    va_end(args);
    return tagloom::test::openatWith("openat", folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = tagloom::test::modeOf(flags, args);
    va_end(args);
    return tagloom::test::openatWith("openat64", folder, path, flags, mode);
}

}  // extern "C"
