#pragma once
// A fresh folder for one test, with APPDATA and TMPDIR pointing into it; the folder
// and the previous environment are restored when the test ends.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class EnvVar {
public:
    EnvVar(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~EnvVar() {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintaro-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        m_root = pattern;
        std::filesystem::create_directories(m_root / "appdata");
        std::filesystem::create_directories(m_root / "tmp");
        m_appData.emplace("APPDATA", (m_root / "appdata").string());
        m_tmpDir.emplace("TMPDIR", (m_root / "tmp").string());
    }
    ~TempFolder() {
        m_appData.reset();
        m_tmpDir.reset();
        std::error_code ec;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_root, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path path(const std::string& name) const { return m_root / name; }
    std::wstring wpath(const std::string& name) const { return path(name).wstring(); }

    static void write(const std::filesystem::path& p, const std::string& bytes) {
        std::ofstream f(p, std::ios::binary);
        f << bytes;
    }
    static std::string read(const std::filesystem::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path m_root;
    std::optional<EnvVar> m_appData;
    std::optional<EnvVar> m_tmpDir;
};

} // namespace testing_support
