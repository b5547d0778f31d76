#include "module/ui/FileChooser.h"
#include "module/base/LintaroLog.h"
#include "module/resources/resource.h"

#include "host/mfc/CFileDialog.h"

namespace {

bool chooseDrawings(const std::wstring& initial, bool several, std::wstring& chosen) {
    DWORD flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (several) flags |= OFN_ALLOWMULTISELECT;
    CFileDialog dialog(TRUE, L"DWG", initial.c_str(), flags,
                       std::wstring(LoadStr(IDS_DRAWING_FILE_FILTER)).c_str());
    if (dialog.DoModal() != IDOK) return false;
    chosen.clear();
    for (POSITION pos = dialog.GetStartPosition(); pos;) {
        if (!chosen.empty()) chosen += L";";
        chosen += dialog.GetNextPathName(pos);
    }
    return !chosen.empty();
}

} // namespace

bool ChooseDrawingFiles(const std::wstring& initial, std::wstring& chosen) {
    return chooseDrawings(initial, true, chosen);
}

bool ChooseDrawingFile(const std::wstring& initial, std::wstring& chosen) {
    return chooseDrawings(initial, false, chosen);
}

bool ChooseFolder(const std::wstring& initial, std::wstring& chosen) {
    CFolderPickerDialog dialog(initial.c_str());
    if (dialog.DoModal() != IDOK) return false;
    chosen = dialog.GetFolderPath();
    return !chosen.empty();
}
