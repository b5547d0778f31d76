#include "host/db/database/DrawingFileMessage.h"

namespace host {

namespace {
std::wstring& message() {
    static std::wstring text;
    return text;
}
} // namespace

void setDrawingFileMessage(std::wstring text) {
    message() = std::move(text);
}

const std::wstring& drawingFileMessage() {
    return message();
}

} // namespace host
