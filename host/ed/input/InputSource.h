#pragma once
// Where the command line's input lines come from: a command script or the console.
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace host {

class InputSource {
public:
    virtual ~InputSource() = default;
    // The next line without its line end; nullopt when the source is used up.
    virtual std::optional<std::wstring> readLine() = 0;
    // A person types the answers (no echo needed, prompts matter).
    virtual bool isInteractive() const { return false; }
    // For messages: the script's name and the number of the line read last.
    virtual std::wstring where() const { return {}; }
    // An ESC given while the host is busy, which a long command's acedUsrBrk takes
    // without waiting for a line; true once per such ESC. A source that can tell
    // without waiting (a GUI's event queue) overrides it.
    virtual bool takeBreak() { return false; }
};

// The lines of a command script held in memory.
class ScriptSource : public InputSource {
public:
    ScriptSource(std::wstring text, std::wstring name);
    // Reads a UTF-8 script file (a byte order mark is skipped). Null, with a message
    // in `error`, when the file cannot be read or is not a text file.
    static std::unique_ptr<ScriptSource> open(const std::string& path, std::wstring& error);

    std::optional<std::wstring> readLine() override;
    std::wstring where() const override;

private:
    std::wstring m_text;
    std::wstring m_name;
    size_t m_pos = 0;
    int m_line = 0;
};

// Lines typed on a stream (the console's stdin), read as UTF-8.
class StreamSource : public InputSource {
public:
    StreamSource(std::istream& in, bool interactive) : m_in(in), m_interactive(interactive) {}
    std::optional<std::wstring> readLine() override;
    bool isInteractive() const override { return m_interactive; }

private:
    std::istream& m_in;
    bool m_interactive;
};

} // namespace host
