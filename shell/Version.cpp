// lintaro --version: the add-on's version and the host's.
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Utf8.h"
#include "shell/ModuleEntry.h"
#include "shell/Subcommands.h"

#include <cstdio>

namespace shell {

void printVersion() {
    const wchar_t* module = GetProgramVersion();
    std::printf("lintaro %s\nhost interface R%d\n", module ? host::toUtf8(module).c_str() : "(add-on not built in)",
                acrxGetApiVersion());
}

} // namespace shell
