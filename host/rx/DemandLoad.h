#pragma once
// Loading applications by their registry record (see AcadAppInfo.h): by logical
// name on request, and on proxy detection while a drawing is read, so that a
// drawing holding an application's objects opens with them alive when the
// application is installed, and keeps them as proxies, byte for byte, when not.
#include <string>

// Loads the application whose record has this logical name (case-insensitive).
// False when there is no record, it forbids loading (kLoadDisabled) or its module
// cannot be loaded; with asCmd the reason goes to the command line.
bool acrxLoadApp(const wchar_t* appName, bool asCmd = false);

namespace host {

enum class DemandLoadResult {
    NotRegistered, // no record for the application, or it is not loaded on proxy detection
    Disabled,      // DEMANDLOAD has proxy detection off, or the record says kLoadDisabled
    Failed,        // the record names a module the host could not load
    Loaded,        // the module is loaded now (or already was)
};

// Called by the drawing reader for a class it does not know; `classAppName` is the
// application text the file gave for the class.
DemandLoadResult demandLoadForClass(const std::wstring& classAppName);

} // namespace host
