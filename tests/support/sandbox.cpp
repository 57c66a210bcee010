#include "support/sandbox.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string enterSandbox(bool withResources) {
    std::string pattern = (fs::temp_directory_path() / "gobbler-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (!made)
        std::abort();
    const fs::path root(made);
    fs::create_directories(root / "resources");
    fs::create_directories(root / "run");
    if (withResources) {
        const fs::path real = fs::path(GOBBLER_SOURCE_DIR) / "resources";
        for (const char* folder : {"textures", "sfx", "fonts", "shaders"})
            if (fs::exists(real / folder))
                fs::create_directory_symlink(real / folder, root / "resources" / folder);
        // The manifest tells a missing picture's size.
        fs::create_symlink(real / "manifest.tsv", root / "resources" / "manifest.tsv");
        fs::create_directories(root / "resources" / "save");
        // The languages compiled beside the test program, where the game looks first: each a
        // link in a folder of the sandbox's own, where a test may put a language of its own.
        std::error_code error;
        const fs::path locale = fs::read_symlink("/proc/self/exe", error).parent_path() / "locale";
        fs::create_directories(root / "run" / "locale");
        for (fs::directory_iterator language(locale, error), end; !error && language != end;
             language.increment(error))
            fs::create_directory_symlink(language->path(),
                                         root / "run" / "locale" / language->path().filename());
    }
    fs::current_path(root / "run");
    return root.string();
}

std::string sandboxSavePath() {
    return "../resources/save/Save1.txt";
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

int asPlayer(const std::function<int()>& work) {
    if (::geteuid() != 0)
        return work();
    const pid_t child = ::fork();
    if (child == 0) {
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(255);
        ::_exit(work() & 0xff);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

int runChild(const std::string& test, const std::vector<std::string>& settings,
             const std::string& errors) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "ALSOFT_", 7) != 0)
            environment.push_back(*variable);
    environment.insert(environment.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(&variable[0]);
    envp.push_back(nullptr);
    std::string program = "gobbler_tests", all = "--gtest_also_run_disabled_tests",
                filter = "--gtest_filter=" + test;
    char* argv[] = {&program[0], &all[0], &filter[0], nullptr};
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        const int errorFile = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(errorFile, 2);
        execve("/proc/self/exe", argv, envp.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
