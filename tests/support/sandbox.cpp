#include "support/sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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
        // The languages compiled beside the test program, where the game looks first.
        std::error_code error;
        const fs::path locale = fs::read_symlink("/proc/self/exe", error).parent_path() / "locale";
        if (!error && fs::exists(locale))
            fs::create_directory_symlink(locale, root / "run" / "locale");
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
