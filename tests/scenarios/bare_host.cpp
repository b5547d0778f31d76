// A host without the add-on: opens a drawing, reports what it kept as proxies and
// saves the drawing elsewhere. It stands for a colleague's installation that lacks
// the add-on, through which a drawing must pass without losing anything.
//
// usage: bare_host OPEN.dwg SAVE.dwg
#include "host/ap/AcApDocManager.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/io/DrawingFile.h"
#include "host/win/Utf8.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bare_host OPEN.dwg SAVE.dwg\n");
        return 2;
    }
    host::io::installDrawingFileHooks();
    if (acDocManager->appContextOpenDocument(host::fromUtf8(argv[1]).c_str()) != Acad::eOk) {
        std::fprintf(stderr, "bare_host: %s\n", host::toUtf8(host::drawingFileMessage()).c_str());
        return 1;
    }
    std::printf("%s\n", host::toUtf8(host::drawingFileMessage()).c_str());
    const Acad::ErrorStatus es =
        acDocManager->saveDocument(acDocManager->curDocument(), host::fromUtf8(argv[2]).c_str());
    acDocManager->closeAllDocuments();
    if (es != Acad::eOk) {
        std::fprintf(stderr, "bare_host: %s\n", host::toUtf8(host::drawingFileMessage()).c_str());
        return 1;
    }
    return 0;
}
