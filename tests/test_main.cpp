#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const std::string root = enterSandbox(true);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::current_path("/", ignored);
    std::filesystem::remove_all(root, ignored);
    return result;
}
