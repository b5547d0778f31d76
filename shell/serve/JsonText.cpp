#include "shell/serve/JsonText.h"

#include "host/win/Utf8.h"

#include <cstdio>

namespace serve {

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string jsonString(const std::wstring& text) {
    return jsonString(host::toUtf8(text));
}

namespace {
const char* flag(bool b) {
    return b ? "true" : "false";
}

std::string controlJson(const host::UiControlView& c) {
    std::string out = "{\"id\":" + std::to_string(c.id) + ",\"kind\":" + jsonString(c.kind) +
                      ",\"text\":" + jsonString(c.text) + ",\"items\":[";
    for (size_t i = 0; i < c.items.size(); ++i)
        out += (i ? "," : "") + jsonString(c.items[i]);
    out += "],\"selected\":" + std::to_string(c.selected) + ",\"check\":" + std::to_string(c.check) +
           ",\"enabled\":" + flag(c.enabled) + "}";
    return out;
}
} // namespace

std::string formJson(const host::UiForm& form) {
    std::string out =
        "{\"id\":" + std::to_string(form.formId()) + ",\"caption\":" + jsonString(form.formCaption()) + ",\"controls\":[";
    bool first = true;
    for (const host::UiControlView& c : form.formControls()) {
        if (!c.visible) continue;
        out += (first ? "" : ",") + controlJson(c);
        first = false;
    }
    return out + "]}";
}

std::string menuJson(const host::UiMenuView& menu) {
    std::string out = "[";
    for (size_t i = 0; i < menu.size(); ++i) {
        const host::UiMenuItem& m = menu[i];
        out += (i ? "," : "");
        out += "{\"id\":" + std::to_string(m.id) + ",\"text\":" + jsonString(m.text) +
               ",\"depth\":" + std::to_string(m.depth) + ",\"popup\":" + flag(m.popup) +
               ",\"separator\":" + flag(m.separator) + ",\"enabled\":" + flag(m.enabled) +
               ",\"checked\":" + flag(m.checked) + "}";
    }
    return out + "]";
}

} // namespace serve
