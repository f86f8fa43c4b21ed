// Helpers of the hardening tests: a scratch folder per test and whole-file contents.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <unistd.h>

namespace vorpel::hardening {

namespace fs = std::filesystem;

inline std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void Replace(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A fresh folder named after the running test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/') c = '-';
        path_ =
            fs::path(::testing::TempDir()) / ("vorpel-" + name + "-" + std::to_string(::getpid()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // The names of the files it holds.
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

private:
    fs::path path_;
};

} // namespace vorpel::hardening
