// Who and what lintaro serve lets in: tokens, origins, files inside its folder, input lines.
#include "shell/serve/ServeAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

namespace fs = std::filesystem;

TEST(ServeAccess, TokensAreRandomAndComparedWhole) {
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        const std::string t = serve::newAccessToken();
        EXPECT_EQ(t.size(), 32u);
        EXPECT_EQ(t.find_first_not_of("0123456789abcdef"), std::string::npos) << t;
        seen.insert(t);
    }
    EXPECT_EQ(seen.size(), 20u) << "tokens repeat";
    const std::string token = serve::newAccessToken();
    EXPECT_TRUE(serve::tokenMatches(token, token));
    EXPECT_FALSE(serve::tokenMatches(token.substr(0, 31), token)) << "a prefix is no token";
    EXPECT_FALSE(serve::tokenMatches(token + "0", token));
    EXPECT_FALSE(serve::tokenMatches("", token));
    EXPECT_FALSE(serve::tokenMatches("", "")) << "an empty token lets nobody in";
}

TEST(ServeAccess, OnlyTheServersOwnOrigin) {
    EXPECT_TRUE(serve::originAllowed("", 8080)) << "clients without an origin (curl, same-origin GET)";
    EXPECT_TRUE(serve::originAllowed("http://127.0.0.1:8080", 8080));
    EXPECT_TRUE(serve::originAllowed("http://localhost:8080", 8080));
    EXPECT_FALSE(serve::originAllowed("http://127.0.0.1:8081", 8080)) << "another local server's page";
    EXPECT_FALSE(serve::originAllowed("https://127.0.0.1:8080", 8080));
    EXPECT_FALSE(serve::originAllowed("http://127.0.0.1:8080.evil.example", 8080));
    EXPECT_FALSE(serve::originAllowed("null", 8080)) << "a sandboxed or file page";
    EXPECT_FALSE(serve::originAllowed("http://evil.example", 8080));
}

TEST(ServeAccess, FilesOnlyInsideTheFolder) {
    const fs::path base = fs::temp_directory_path() / ("lintaro-serve-access-" + serve::newAccessToken());
    const fs::path root = base / "root";
    fs::create_directories(root / "sub");
    std::ofstream(base / "secret.dwg") << "x";
    fs::create_directory_symlink(base, root / "out");
    std::string why;

    const auto inside = serve::pathInside(root, "plan.dwg", why);
    ASSERT_TRUE(inside) << why;
    EXPECT_EQ(*inside, fs::weakly_canonical(root / "plan.dwg")) << "a new file in the folder";
    EXPECT_TRUE(serve::pathInside(root, "sub/../plan.dwg", why)) << "'..' that stays inside";
    EXPECT_TRUE(serve::pathInside(root, (root / "sub" / "a.dwg").string(), why)) << "an absolute path inside";

    for (const std::string& bad : std::vector<std::string>{"../secret.dwg", "sub/../../secret.dwg", "/etc/passwd", "out/secret.dwg",
                                  (base / "secret.dwg").string(), "", "."}) {
        why.clear();
        EXPECT_FALSE(serve::pathInside(root, bad, why)) << "\"" << bad << "\" must be refused";
        EXPECT_FALSE(why.empty()) << "a refusal says why: " << bad;
    }
    EXPECT_FALSE(serve::pathInside(root, std::string("plan\0.dwg", 9), why)) << "a NUL in the name";
    // A folder whose name begins like the root's is not inside it.
    fs::create_directories(base / "rootx");
    EXPECT_FALSE(serve::pathInside(root, "../rootx/a.dwg", why));
    fs::remove_all(base);
}

TEST(ServeAccess, InputLinesAreOneLineOfUtf8) {
    std::string why;
    EXPECT_TRUE(serve::inputLineAcceptable("XOTA_Hdim", why));
    EXPECT_TRUE(serve::inputLineAcceptable("", why)) << "an empty line is Enter";
    EXPECT_TRUE(serve::inputLineAcceptable("@dialog 1144 = BMa\xc3\x9f \xc2\xb1 \xe2\x82\xac \xf0\x9f\x98\x80", why))
        << "non-ASCII answers pass";
    EXPECT_TRUE(serve::inputLineAcceptable("a\tb", why)) << "a tab is a blank";
    EXPECT_TRUE(serve::inputLineAcceptable(std::string(4096, 'x'), why));
    for (const std::string& bad : {std::string("LINE\n0,0"), std::string("a\rb"), std::string("a\0b", 3),
                                  std::string("\x1b"), std::string("\xff"), std::string("\xc3"),
                                  std::string("\xc0\xaf"), std::string("\xe2\x82"), std::string(4097, 'x')}) {
        why.clear();
        EXPECT_FALSE(serve::inputLineAcceptable(bad, why)) << "bytes of length " << bad.size();
        EXPECT_FALSE(why.empty());
    }
}
