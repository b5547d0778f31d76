#pragma once
// The page `lintaro serve` serves: HTML with its style and script inline, made at
// build time from shell/serve/page.html and its parts, so the program carries it and nothing is
// fetched at run time.
#include <string>

namespace serve {

const std::string& pageHtml();

} // namespace serve
