#pragma once
// A fresh run of the options for one test: APPDATA, TMPDIR and the module folder point
// into a new temporary folder, the storage forgets its cached paths and buffers, and no
// options object exists. Everything is undone when the test ends.
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"

#include "host/win/Transcript.h"
#include "host/win/WinProfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

class OptionsTestEnv : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "lintaro-options-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        fs::create_directories(m_root / "appdata");
        fs::create_directories(m_root / "tmp");
        fs::create_directories(m_root / "module");
        remember("APPDATA", (m_root / "appdata").string());
        remember("TMPDIR", (m_root / "tmp").string());
        remember("LINTARO_MODULE_DIR", (m_root / "module").string());
        freshRun();
        m_capture.emplace();
    }

    void TearDown() override
    {
        m_capture.reset();
        freshRun();
        for (auto it = m_env.rbegin(); it != m_env.rend(); ++it) {
            if (it->second)
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                ::unsetenv(it->first.c_str());
        }
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    // As if the program had been restarted: no options object, nothing cached.
    static void freshRun()
    {
        delete pGlobDimOptions;
        pGlobDimOptions = nullptr;
        ResetIniStorageForTests();
    }

    static CGlobDimOptions& loadOptions()
    {
        if (!pGlobDimOptions)
            pGlobDimOptions = new CGlobDimOptions;
        pGlobDimOptions->LoadOptions();
        return *pGlobDimOptions;
    }

    void remember(const char* name, const std::string& value)
    {
        const char* old = std::getenv(name);
        m_env.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name, value.c_str(), 1);
    }

    std::wstring wpath(const std::string& rel) const { return (m_root / rel).wstring(); }
    std::wstring settingsIni() const { return wpath("appdata/tessaron/lintaro/lintaro.ini"); }
    std::wstring transcript() const { return m_capture ? m_capture->text() : std::wstring(); }

    // What a file holds now, byte for byte.
    static std::string bytes(const std::wstring& path)
    {
        std::ifstream in(fs::path(path), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    static void writeBytes(const std::wstring& path, const std::string& content)
    {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
        out << content;
    }

    // An entry as it stands on disk now, past every buffer.
    static std::wstring onDisk(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                               const std::wstring& absent = L"<absent>")
    {
        wchar_t buf[2048] = {};
        GetPrivateProfileStringW(section.c_str(), key.c_str(), absent.c_str(), buf, 2048, file.c_str());
        return buf;
    }

    fs::path m_root;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_env;
    std::optional<host::TranscriptCapture> m_capture;
};
