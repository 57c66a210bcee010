// The resource tree matches its manifest, and every file the game asks for is in it.
#include "assets/assets.h"
#include "ground/game.h"
#include "ground/records.h"
#include "support/frame_driver.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path resourceRoot = fs::path(GOBBLER_SOURCE_DIR) / "resources";

struct Entry {
    std::string kind;
    std::string size;
};

std::map<std::string, Entry> readManifest() {
    std::map<std::string, Entry> entries;
    std::ifstream in(resourceRoot / "manifest.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string path, kind, size;
        std::getline(fields, path, '\t');
        std::getline(fields, kind, '\t');
        std::getline(fields, size, '\t');
        entries[path] = Entry{kind, size};
    }
    return entries;
}

} // namespace

TEST(Manifest, EveryListedFileExistsWithItsSizeAndNothingIsUnlisted) {
    const auto manifest = readManifest();
    ASSERT_FALSE(manifest.empty()) << "resources/manifest.tsv is missing or empty";
    for (const auto& [path, entry] : manifest) {
        const fs::path file = resourceRoot / fs::u8path(path);
        ASSERT_TRUE(fs::exists(file)) << path;
        if (entry.kind == "image") {
            sf::Image image;
            ASSERT_TRUE(image.loadFromFile(file.string())) << path;
            std::ostringstream size;
            size << image.getSize().x << "x" << image.getSize().y;
            EXPECT_EQ(size.str(), entry.size) << path;
        } else {
            EXPECT_EQ(std::to_string(fs::file_size(file)), entry.size) << path;
        }
    }
    for (const auto& item : fs::recursive_directory_iterator(resourceRoot)) {
        if (!item.is_regular_file())
            continue;
        const std::string rel = fs::relative(item.path(), resourceRoot).generic_u8string();
        if (rel == "manifest.tsv" || rel.rfind("save/", 0) == 0)
            continue;
        EXPECT_TRUE(manifest.count(rel)) << rel << " is not in the manifest";
    }
}

TEST(Manifest, EveryPathTheGameLoadsIsListed) {
    FrameDriver driver;
    for (int level = 0; level <= 3; ++level) {
        driver.startLevel(level);
        driver.runFor(12.0);
    }
    for (int screen : {Splash, Logo, TitleMenu, LevelSelect, Options, Help, Shop}) {
        game.shared.screen = screen;
        driver.frames(3);
    }
    const auto manifest = readManifest();
    const std::string prefix = "../resources/";
    for (const std::string& path : requestedResourcePaths()) {
        ASSERT_EQ(path.rfind(prefix, 0), 0u) << path;
        const std::string rel = path.substr(prefix.size());
        if (rel.rfind("save/", 0) == 0)
            continue;
        EXPECT_TRUE(manifest.count(rel)) << path << " is loaded but not in the manifest";
    }
}
