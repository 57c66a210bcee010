#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

namespace {

// Every test starts as on a new install: whatever the tests before it saved (progress, its
// backup, the window's settings) is gone, so no test plays on another's unlocked levels.
class FreshSaveFolder : public testing::EmptyTestEventListener {
  public:
    explicit FreshSaveFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void OnTestStart(const testing::TestInfo&) override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        std::filesystem::create_directories(folder_, ignored);
    }

  private:
    std::filesystem::path folder_;
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Whatever the machine speaks, the tests' desktop asks for no language: a start speaks
    // French, the game's own texts.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        unsetenv(name);
    setenv("LANG", "C", 1);
    const std::string root = enterSandbox(true);
    // Google Test owns its listeners.
    testing::UnitTest::GetInstance()->listeners().Append(
        std::make_unique<FreshSaveFolder>(std::filesystem::path(root) / "resources" / "save")
            .release());
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(root, ignored);
    return result;
}
