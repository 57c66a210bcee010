// The layers of ARCHITECTURE.md hold for includes: a folder of src/ includes only its own
// headers and those of the folders below it. (Who writes which record is the compiler's to
// check: tests/layers/upward_writes.cmake.)
#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Each folder's place in ARCHITECTURE.md's table of layers, bottom to top.
std::map<std::string, int> layerHeights() {
    std::map<std::string, int> height;
    std::istringstream lines(readFile(GOBBLER_SOURCE_DIR "/ARCHITECTURE.md"));
    const std::regex layerRow(R"(^\| [^|]+ \| `src/(\w+)` \|)");
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (std::regex_search(line, m, layerRow) && !height.count(m[1]))
            height.emplace(m[1], static_cast<int>(height.size()));
    }
    return height;
}

} // namespace

TEST(Layers, NoFolderIncludesOneAboveIt) {
    const std::map<std::string, int> height = layerHeights();
    ASSERT_EQ(height.size(), 14u) << "the layers of ARCHITECTURE.md";
    const std::regex include(R"re(#include "(\w+)/[\w.]+")re");
    int checked = 0;
    std::ostringstream found;
    for (const auto& folder : fs::directory_iterator(GOBBLER_SOURCE_DIR "/src")) {
        if (!folder.is_directory())
            continue;
        const std::string name = folder.path().filename().string();
        ASSERT_TRUE(height.count(name)) << "src/" << name << " is not a layer";
        for (const auto& unit : fs::directory_iterator(folder.path())) {
            ++checked;
            const std::string code = readFile(unit.path());
            for (auto it = std::sregex_iterator(code.begin(), code.end(), include);
                 it != std::sregex_iterator(); ++it) {
                const auto used = height.find((*it)[1]);
                if (used != height.end() && used->second > height.at(name))
                    found << "src/" << name << "/" << unit.path().filename().string()
                          << " includes " << (*it)[0] << "\n";
            }
        }
    }
    EXPECT_GT(checked, 80);
    EXPECT_EQ(found.str(), "") << "includes from below";
}
