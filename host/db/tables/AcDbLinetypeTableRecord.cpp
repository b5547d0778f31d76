#include "host/db/tables/AcDbLinetypeTableRecord.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/tables/AcDbLinetypeTable.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE",
                         &host::makeObject<AcDbLinetypeTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbLinetypeTable>)

namespace {
constexpr Adesk::Int16 kLinetypeVersion = 1;
// More dashes than any real pattern has; a larger count in a file is damage.
constexpr Adesk::UInt32 kMaxDashes = 1024;
} // namespace

bool AcDbLinetypeTableRecord::isNameFixed() const {
    std::wstring key = host::symbolKey(name());
    return key == L"BYBLOCK" || key == L"BYLAYER" || key == L"CONTINUOUS";
}

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const wchar_t*& pString) const {
    pString = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const wchar_t* pString) {
    assertWriteEnabled();
    m_comments = pString ? pString : L"";
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::patternLength() const {
    double total = 0.0;
    for (double d : m_dashes) total += std::fabs(d);
    return total;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setNumDashes(int count) {
    if (count < 0 || Adesk::UInt32(count) > kMaxDashes) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_dashes.resize(size_t(count), 0.0);
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const {
    return index >= 0 && index < numDashes() ? m_dashes[size_t(index)] : 0.0;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setDashLengthAt(int index, double value) {
    if (index < 0 || index >= numDashes() || !std::isfinite(value)) return Acad::eInvalidIndex;
    assertWriteEnabled();
    m_dashes[size_t(index)] = value;
    return Acad::eOk;
}

void AcDbLinetypeTableRecord::setIsScaledToFit(bool scaledToFit) {
    assertWriteEnabled();
    m_scaledToFit = scaledToFit;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kLinetypeVersion);
    filer->writeString(m_comments);
    filer->writeBoolean(m_scaledToFit);
    filer->writeUInt32(Adesk::UInt32(m_dashes.size()));
    for (double d : m_dashes) filer->writeDouble(d);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    std::wstring comments;
    bool fit = false;
    Adesk::UInt32 n = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kLinetypeVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readString(comments);
    filer->readBoolean(&fit);
    filer->readUInt32(&n);
    if (filer->filerStatus() == Acad::eOk && n > kMaxDashes) filer->setFilerStatus(Acad::eInvalidInput);
    std::vector<double> dashes;
    for (Adesk::UInt32 i = 0; i < n && filer->filerStatus() == Acad::eOk; ++i) {
        double d = 0;
        filer->readDouble(&d);
        dashes.push_back(d);
    }
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    m_comments = comments;
    m_scaledToFit = fit;
    m_dashes = std::move(dashes);
    return Acad::eOk;
}
