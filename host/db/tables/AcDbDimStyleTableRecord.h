#pragma once
// A dimension style: the dimension variables (sizes in drawing units before
// dimscale, colours, blocks, text style, units and zero rules).
#include "host/db/database/AcCmColor.h"
#include "host/db/tables/AcDbSymbolTableRecord.h"

#include <string>

// type, getter, setter, default
#define LINTARO_DIMSTYLE_VARS(X)                                   \
    X(double, dimasz, setDimasz, 2.5)                              \
    X(double, dimcen, setDimcen, 2.5)                              \
    X(double, dimdle, setDimdle, 0.0)                              \
    X(double, dimdli, setDimdli, 3.75)                             \
    X(double, dimexe, setDimexe, 1.25)                             \
    X(double, dimexo, setDimexo, 0.625)                            \
    X(double, dimgap, setDimgap, 0.625)                            \
    X(double, dimlfac, setDimlfac, 1.0)                            \
    X(double, dimrnd, setDimrnd, 0.0)                              \
    X(double, dimscale, setDimscale, 1.0)                          \
    X(double, dimtsz, setDimtsz, 0.0)                              \
    X(double, dimtxt, setDimtxt, 2.5)                              \
    X(double, dimtvp, setDimtvp, 0.0)                              \
    X(double, dimtm, setDimtm, 0.0)                                \
    X(double, dimtp, setDimtp, 0.0)                                \
    X(double, dimaltf, setDimaltf, 25.4)                           \
    X(double, dimaltrnd, setDimaltrnd, 0.0)                        \
    X(double, dimfxlen, setDimfxlen, 1.0)                          \
    X(double, dimtfac, setDimtfac, 1.0)                            \
    X(int, dimdec, setDimdec, 2)                                   \
    X(int, dimtad, setDimtad, 1)                                   \
    X(int, dimzin, setDimzin, 8)                                   \
    X(int, dimtmove, setDimtmove, 0)                               \
    X(int, dimtfill, setDimtfill, 0)                               \
    X(int, dimatfit, setDimatfit, 3)                               \
    X(int, dimjust, setDimjust, 0)                                 \
    X(int, dimadec, setDimadec, 0)                                 \
    X(int, dimaunit, setDimaunit, 0)                               \
    X(int, dimazin, setDimazin, 0)                                 \
    X(int, dimlunit, setDimlunit, 2)                               \
    X(int, dimfrac, setDimfrac, 0)                                 \
    X(int, dimaltd, setDimaltd, 2)                                 \
    X(int, dimaltu, setDimaltu, 2)                                 \
    X(int, dimalttd, setDimalttd, 2)                               \
    X(int, dimaltz, setDimaltz, 0)                                 \
    X(int, dimtdec, setDimtdec, 2)                                 \
    X(int, dimtolj, setDimtolj, 1)                                 \
    X(int, dimtzin, setDimtzin, 0)                                 \
    X(int, dimarcsym, setDimarcsym, 0)                             \
    X(bool, dimtih, setDimtih, false)                              \
    X(bool, dimtoh, setDimtoh, false)                              \
    X(bool, dimtix, setDimtix, false)                              \
    X(bool, dimtofl, setDimtofl, true)                             \
    X(bool, dimsah, setDimsah, false)                              \
    X(bool, dimse1, setDimse1, false)                              \
    X(bool, dimse2, setDimse2, false)                              \
    X(bool, dimsd1, setDimsd1, false)                              \
    X(bool, dimsd2, setDimsd2, false)                              \
    X(bool, dimsoxd, setDimsoxd, false)                            \
    X(bool, dimtol, setDimtol, false)                              \
    X(bool, dimlim, setDimlim, false)                              \
    X(bool, dimalt, setDimalt, false)                              \
    X(bool, dimupt, setDimupt, false)                              \
    X(bool, dimfxlenOn, setDimfxlenOn, false)                      \
    X(wchar_t, dimdsep, setDimdsep, L',')                          \
    X(AcDbObjectId, dimblk, setDimblk, AcDbObjectId())             \
    X(AcDbObjectId, dimblk1, setDimblk1, AcDbObjectId())           \
    X(AcDbObjectId, dimblk2, setDimblk2, AcDbObjectId())           \
    X(AcDbObjectId, dimldrblk, setDimldrblk, AcDbObjectId())       \
    X(AcDbObjectId, dimtxsty, setDimtxsty, AcDbObjectId())         \
    X(AcDbObjectId, dimltype, setDimltype, AcDbObjectId())         \
    X(AcDbObjectId, dimltex1, setDimltex1, AcDbObjectId())         \
    X(AcDbObjectId, dimltex2, setDimltex2, AcDbObjectId())         \
    X(AcCmColor, dimclrd, setDimclrd, AcCmColor())                 \
    X(AcCmColor, dimclre, setDimclre, AcCmColor())                 \
    X(AcCmColor, dimclrt, setDimclrt, AcCmColor())                 \
    X(AcCmColor, dimtfillclr, setDimtfillclr, AcCmColor())         \
    X(AcDb::LineWeight, dimlwd, setDimlwd, AcDb::kLnWtByBlock)     \
    X(AcDb::LineWeight, dimlwe, setDimlwe, AcDb::kLnWtByBlock)

class AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord);
    AcDbDimStyleTableRecord() = default;
    ~AcDbDimStyleTableRecord() override = default;

#define LINTARO_DIMVAR_ACCESS(TYPE, GET, SET, DEFAULT) \
    TYPE GET() const { return m_##GET; }               \
    Acad::ErrorStatus SET(TYPE value);
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_ACCESS)
#undef LINTARO_DIMVAR_ACCESS

    // Arrowheads by block name, as a dimension takes them ("_ClosedBlank", "_Oblique" ...;
    // "" is the default arrow): the host's arrow blocks are made in the record's
    // database when missing. The record must be in a database.
    Acad::ErrorStatus setDimblk(const wchar_t* blockName);
    Acad::ErrorStatus setDimblk1(const wchar_t* blockName);
    Acad::ErrorStatus setDimblk2(const wchar_t* blockName);
    Acad::ErrorStatus setDimldrblk(const wchar_t* blockName);

    // The prefix/suffix patterns of values ("<>" stands for the measurement).
    const wchar_t* dimpost() const { return m_dimpost.c_str(); }
    Acad::ErrorStatus setDimpost(const wchar_t* value);
    const wchar_t* dimapost() const { return m_dimapost.c_str(); }
    Acad::ErrorStatus setDimapost(const wchar_t* value);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

private:
#define LINTARO_DIMVAR_MEMBER(TYPE, GET, SET, DEFAULT) TYPE m_##GET = DEFAULT;
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_MEMBER)
#undef LINTARO_DIMVAR_MEMBER
    std::wstring m_dimpost;
    std::wstring m_dimapost;
};
