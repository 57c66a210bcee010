// The layers hold for who writes what, not only for includes: no unit of a folder (its draw.cpp
// aside, which writes nothing) writes a field of a group owned by a folder above it.
// ARCHITECTURE.md orders the folders and names each group's owner; ground/game_state.h says which
// fields each group holds.
#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Ownership {
    std::map<std::string, int> height;        // folder -> its place, bottom to top
    std::map<std::string, std::string> owner; // group -> owning folder
    std::map<std::string, std::string> group; // field -> its group
};

Ownership readOwnership() {
    Ownership o;
    const std::string architecture = readFile(GOBBLER_SOURCE_DIR "/ARCHITECTURE.md");
    std::istringstream lines(architecture);
    std::string line;
    const std::regex layerRow(R"(^\| [^|]+ \| `src/(\w+)` \|)");
    const std::regex ownerRow(R"(^\| ([^|`]+?) \| `src/(\w+)`)");
    bool inOwners = false;
    while (std::getline(lines, line)) {
        std::smatch m;
        if (line.rfind("## ", 0) == 0)
            inOwners = line == "## Who writes what";
        if (!inOwners && std::regex_search(line, m, layerRow) && !o.height.count(m[1]))
            o.height.emplace(m[1], static_cast<int>(o.height.size()));
        else if (inOwners && std::regex_search(line, m, ownerRow))
            o.owner[m[1]] = m[2];
    }
    const std::string state = readFile(GOBBLER_SOURCE_DIR "/src/ground/game_state.h");
    const std::size_t start = state.find("struct GameState {");
    std::istringstream fields(state.substr(start, state.find("\n};", start) - start));
    const std::regex heading(R"(^\s*// -- ([^:]+))");
    const std::regex declaration(R"(^\s+[\w:<>, *]+?[\s*&]([A-Za-z_]\w*)(\[[^\]]*\])*( =|;|,))");
    const std::regex more(R"(, ([A-Za-z_]\w*))");
    std::string current;
    while (std::getline(fields, line)) {
        std::smatch m;
        if (std::regex_search(line, m, heading)) {
            current = m[1];
            continue;
        }
        const std::string code = line.substr(0, line.find("//"));
        if (current.empty() || !std::regex_search(code, m, declaration))
            continue;
        o.group[m[1]] = current;
        for (auto it = std::sregex_iterator(code.begin(), code.end(), more);
             it != std::sregex_iterator(); ++it)
            o.group[(*it)[1]] = current;
    }
    return o;
}

} // namespace

TEST(Layers, NoUnitWritesAFieldGroupOwnedAboveIt) {
    const Ownership o = readOwnership();
    ASSERT_EQ(o.height.size(), 14u) << "the layers of ARCHITECTURE.md";
    ASSERT_GT(o.group.size(), 200u) << "the fields of game_state.h";
    for (const auto& [field, group] : o.group)
        ASSERT_TRUE(o.owner.count(group)) << "group \"" << group << "\" has no owner";

    // An assignment, an increment, a call that changes the field's object, or a walk through it
    // by a reference that may change it.
    const std::regex writes[] = {
        std::regex(R"(game\.(\w+)(?:\[[^\]]*\])*(?:\.\w+)?\s*(?:\+\+|--|[-+*/|&]?=(?!=)))"),
        std::regex(R"((?:\+\+|--)game\.(\w+))"),
        std::regex(R"(game\.(\w+)(?:\[[^\]]*\])*\.(?:set\w+|move|scale|rotate|clear|push_back|)"
                   R"(emplace\w*|erase|splice|pop_\w+|assign|insert|remove\w*)\()"),
        std::regex(R"(for \((?!const)[\w:<>\s]*&\s*\w+\s*:\s*game\.(\w+))"),
    };
    int checked = 0;
    std::ostringstream found;
    for (const auto& folder : fs::directory_iterator(GOBBLER_SOURCE_DIR "/src")) {
        if (!folder.is_directory())
            continue;
        const std::string name = folder.path().filename().string();
        ASSERT_TRUE(o.height.count(name)) << "src/" << name << " is not a layer";
        for (const auto& unit : fs::directory_iterator(folder.path())) {
            if (unit.path().extension() != ".cpp" || unit.path().filename() == "draw.cpp")
                continue;
            ++checked;
            const std::string code = readFile(unit.path());
            for (const std::regex& write : writes)
                for (auto it = std::sregex_iterator(code.begin(), code.end(), write);
                     it != std::sregex_iterator(); ++it) {
                    const auto field = o.group.find((*it)[1]);
                    if (field == o.group.end())
                        continue; // not a field of the record (a method's name, say)
                    const std::string& owner = o.owner.at(field->second);
                    if (o.height.at(owner) > o.height.at(name))
                        found << "src/" << name << "/" << unit.path().filename().string()
                              << " writes " << field->first << " (" << field->second << ", src/"
                              << owner << ")\n";
                }
        }
    }
    EXPECT_GT(checked, 30);
    EXPECT_EQ(found.str(), "") << "writes from below";
}
