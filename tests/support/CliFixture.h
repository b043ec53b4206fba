#pragma once
// Runs tagloom-cli as a script would: on files in a temporary folder and on a
// pipe, with its output, messages and exit status kept for the test.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/securebits.h>
#include <sys/prctl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace tagloom::test {

namespace fs = std::filesystem;

// The program sits in the build tree's tools/ folder, beside this test's tests/ folder.
inline fs::path cliProgram() {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "tagloom-cli";
}

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(cliProgram())) << "build tagloom-cli first: " << cliProgram();
        std::string pattern = (fs::temp_directory_path() / "tagloom-cli-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name, const std::string& bytes) {
        writeBytes(dir_ / name, bytes);
        return dir_ / name;
    }

    CliRun run(std::vector<std::string> args, const std::string& input = "") {
        const fs::path in = file(".stdin", input);
        const fs::path out = dir_ / ".stdout";
        const fs::path err = dir_ / ".stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const std::string program = cliProgram().string();
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        CliRun run;
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << program;
            return run;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = readBytes(out);
        run.err = readBytes(err);
        return run;
    }

    fs::path dir_;
};

// For the life of the object, a program started by root gets none of root's
// capabilities, so the permission bits bind it as they bind other users.
class ProgramsStartWithoutRootPowers {
public:
    ProgramsStartWithoutRootPowers() : saved_(::prctl(PR_GET_SECUREBITS)) {
        active_ = ::geteuid() == 0 && saved_ >= 0 && ::prctl(PR_SET_SECUREBITS, saved_ | SECBIT_NOROOT) == 0;
    }
    ~ProgramsStartWithoutRootPowers() {
        if (active_) ::prctl(PR_SET_SECUREBITS, saved_);
    }
    ProgramsStartWithoutRootPowers(const ProgramsStartWithoutRootPowers&) = delete;
    ProgramsStartWithoutRootPowers& operator=(const ProgramsStartWithoutRootPowers&) = delete;
    bool bound() const { return active_ || ::geteuid() != 0; }

private:
    int saved_;
    bool active_ = false;
};

}  // namespace tagloom::test
