// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace postroom::testing {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        for (int i = 0; i < 100; ++i) {
            std::ostringstream name;
            name << "postroom-test-" << std::hex << rd() << rd();
            path_ = std::filesystem::temp_directory_path() / name.str();
            std::error_code ec;
            if (std::filesystem::create_directory(path_, ec))
                return;
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace postroom::testing
