// The profile functions as the options use them: many single reads from one
// settings file (each read parses the file, as on Windows), and writes that
// replace the file safely.
#include "host/win/FormatW.h"
#include "host/win/WinModules.h"
#include "host/win/WinProfile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A settings file of the size lintaro.ini reaches: 6 option sections of 100 keys
// and 6 map sections of 20 items.
std::wstring makeSettingsFile() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "lintaro-bench-win";
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "lintaro.ini";
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    for (int s = 0; s < 6; ++s) {
        f << "[Options" << s << "]\r\n";
        for (int k = 0; k < 100; ++k)
            f << "Key" << k << "=" << k * 0.5 << "\r\n";
    }
    for (int s = 0; s < 6; ++s) {
        f << "[Map" << s << "]\r\n";
        for (int k = 0; k < 20; ++k)
            f << "Item_" << k << "=1:" << (k + 1) * 10 << "=DIM_1_" << k << "=7\r\n";
    }
    return file.wstring();
}

void BM_ProfileReadOneKey(benchmark::State& state) {
    const std::wstring file = makeSettingsFile();
    wchar_t buf[512];
    for (auto _ : state) {
        const DWORD n = GetPrivateProfileStringW(L"options5", L"key99", L"", buf, 512, file.c_str());
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_ProfileReadOneKey);

void BM_ProfileWriteOneKey(benchmark::State& state) {
    const std::wstring file = makeSettingsFile();
    int i = 0;
    for (auto _ : state) {
        const std::wstring value = host::FormatW(L"%d", ++i);
        benchmark::DoNotOptimize(
            WritePrivateProfileStringW(L"Options3", L"Key50", value.c_str(), file.c_str()));
    }
}
BENCHMARK(BM_ProfileWriteOneKey);

void BM_LoadString(benchmark::State& state) {
    static const host::StringResource table[] = {{32873, L"<Unbekannt>"}, {32897, L"<beibehalten>"}};
    host::registerModuleStrings(host::addOnModule(), table, 2);
    wchar_t buf[256];
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadStringW(host::addOnModule(), 32897, buf, 256));
}
BENCHMARK(BM_LoadString);

} // namespace
