#include "support/sandbox.h"

#include <cstdlib>
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
