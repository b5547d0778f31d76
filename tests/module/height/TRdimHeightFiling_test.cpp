#include "tests/module/height/HeightTestEnv.h"

#include "host/db/filing/AcDbDxfFiler.h"
#include "host/rx/AcRxClass.h"
#include "module/base/ModuleInfo.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace heighttest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

// A mark that files only what every entity files, to put a hand-made record behind.
struct BaseOnly : TRdimHeight {
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override { return AcDbEntity::dwgOutFields(filer); }
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override { return AcDbEntity::dxfOutFields(filer); }
};

// A height-mark record written field by field, as drawings of every version hold it.
struct Record {
    int version = 2;
    int plan = 0;
    std::vector<AcGePoint3d> points{P(1, 2), P(1, 3), P(1, 0), P(1, 2.5), P(2, 3), P(2, 2.5), P(0, 0), P(0, 0)};
    int role = 0;
    std::vector<double> doubles{0.01, 25.0};
    std::vector<std::wstring> strings{L"1:100", L"", L"m"};
    std::vector<std::uint16_t> ints = std::vector<std::uint16_t>(24, 0);
    double h1 = 3.25, h2 = -0.5, symbol = 0.3, rotation = 0.0;
    AcGeVector3d vectorDim = AcGeVector3d::kXAxis;
    AcGeVector3d axes[3] = {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis};
    std::vector<std::wstring> texts{L"OK", L"NN"};

    std::vector<std::uint8_t> bytes(AcDbDatabase* db) const {
        host::DwgBufferFiler f(AcDb::kFileFiler, db);
        BaseOnly base;
        base.dwgOut(&f);
        f.writeInt16(std::int16_t(version));
        f.writeUInt16(std::uint16_t(plan));
        f.writeInt16(std::int16_t(points.size()));
        for (const AcGePoint3d& p : points)
            f.writePoint3d(p);
        f.writeInt16(std::int16_t(role));
        f.writeInt16(std::int16_t(doubles.size()));
        for (double d : doubles)
            f.writeDouble(d);
        f.writeInt16(std::int16_t(strings.size()));
        for (const std::wstring& s : strings)
            f.writeString(s);
        f.writeInt16(std::int16_t(ints.size()));
        for (std::uint16_t i : ints)
            f.writeUInt16(i);
        f.writeHardPointerId(AcDbObjectId());
        for (double d : {h1, h2, symbol, rotation})
            f.writeDouble(d);
        f.writeVector3d(vectorDim);
        f.writePoint3d(P(0, 0));
        for (const AcGeVector3d& a : axes)
            f.writeVector3d(a);
        for (size_t index : {1u, 4u, 5u, 2u, 3u})
            f.writePoint3d(index < points.size() ? points[index] : P(0, 0));
        f.writeInt16(12);
        f.writeInt16(std::int16_t(texts.size()));
        for (const std::wstring& t : texts)
            f.writeString(t);
        f.writeVector3d(AcGeVector3d::kZAxis);
        f.writeHardPointerId(AcDbObjectId());
        for (int i = 0; i < 3; ++i)
            f.writeInt16(0);
        return f.bytes();
    }
};

std::vector<std::uint8_t> fileOut(const TRdimHeight& mark, AcDbDatabase* db, Acad::ErrorStatus* status = nullptr) {
    host::DwgBufferFiler out(AcDb::kFileFiler, db);
    const Acad::ErrorStatus es = mark.dwgOut(&out);
    if (status) *status = es;
    return out.bytes();
}

Acad::ErrorStatus fileIn(TRdimHeight& mark, const std::vector<std::uint8_t>& bytes, AcDbDatabase* db) {
    host::DwgBufferFiler in(bytes, AcDb::kFileFiler, db);
    return mark.dwgIn(&in);
}

std::unique_ptr<TRdimHeight> fresh() {
    return std::unique_ptr<TRdimHeight>(TRdimHeight::cast(TRdimHeight::desc()->create()));
}

// Everything a user could lose, compared exactly: filing writes doubles bit for bit.
void expectSameMark(const TRdimHeight& a, const TRdimHeight& b) {
    EXPECT_EQ(a.IsPlan(), b.IsPlan());
    EXPECT_EQ(a.GetRole(), b.GetRole());
    EXPECT_EQ(a.GetHeight1(), b.GetHeight1());
    EXPECT_EQ(a.GetHeight2(), b.GetHeight2());
    EXPECT_EQ(a.GetSymbolSize(), b.GetSymbolSize());
    EXPECT_EQ(a.GetRotation(), b.GetRotation());
    EXPECT_EQ(a.GetTextPosition(), b.GetTextPosition());
    EXPECT_EQ(a.GetBaseId(), b.GetBaseId());
    EXPECT_EQ(a.GetTextStyle(), b.GetTextStyle());
    EXPECT_TRUE(a.GetVectorDim().isEqualTo(b.GetVectorDim(), AcGeTol()));
    EXPECT_TRUE(a.GetOrigin().isEqualTo(b.GetOrigin(), AcGeTol()));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(a.GetAxis(i).isEqualTo(b.GetAxis(i), AcGeTol())) << i;
    EXPECT_TRUE(a.GetStoredNormal().isEqualTo(b.GetStoredNormal(), AcGeTol()));
    ASSERT_EQ(a.Points().length(), b.Points().length());
    for (int i = 0; i < a.Points().length(); ++i)
        EXPECT_EQ(a.Points()[i].distanceTo(b.Points()[i]), 0.0) << i;
    EXPECT_EQ(a.Texts(), b.Texts());
    EXPECT_EQ(a.GetParams().arrayDouble, b.GetParams().arrayDouble);
    EXPECT_EQ(a.GetParams().arrayString, b.GetParams().arrayString);
    const TRdimIntArray ia = a.GetParams().arrayInt, ib = b.GetParams().arrayInt;
    ASSERT_EQ(ia.size(), ib.size());
    for (size_t i = 0; i < ia.size(); ++i)
        if (i != IND_I_AppVersion) EXPECT_EQ(ia[i], ib[i]) << i;
}

} // namespace

TEST_F(HeightTest, TheClassIsRegisteredUnderItsDxfNameAndVersions) {
    AcRxClass* cls = TRdimHeight::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->name(), L"TRdimHeight");
    EXPECT_STREQ(cls->dxfName(), L"XOTA_DIM_HEIGHT");
    EXPECT_EQ(cls->proxyFlags(), 3071);
    EXPECT_TRUE(cls->isDerivedFrom(AcDbEntity::desc()));
    EXPECT_EQ(HeightAppVersionNumber(2, 0, 19), 2019);
}

TEST_F(HeightTest, AFiledMarkReadsBackMemberForMember) {
    auto mark = makeMark(false, 5, P(3, 4, 0.5), -1.25);
    mark->SetHeight(2, 7.5);
    mark->SetRole(kHeightRoleMark);
    mark->SetRowState(2, 1);
    mark->SetText(0, L"OKRD");
    mark->SetText(1, L"\u00FCber NN \u00B1");
    mark->SetText(5, L"BMa\u00DF");
    mark->SetPoint(kHPointExt1, P(3, 1));
    mark->SetRotation(0.5);
    mark->SetParamString(IND_S_HK_Auto_Handle1, L"/plans/a.dwg|2A");
    mark->ComputeSymbolSize();
    // A handle from another drawing (a copied mark): the save writes the real one.
    mark->SetParamString(8, L"FFFF");
    const AcDbObjectId id = append(mark.release());
    ASSERT_FALSE(id.isNull());
    TRdimHeight* stored = ObjectId2TRdimHeight(id);
    ASSERT_NE(stored, nullptr);
    Acad::ErrorStatus es = Acad::eOk;
    const std::vector<std::uint8_t> bytes = fileOut(*stored, m_db.get(), &es);
    EXPECT_EQ(es, Acad::eOk);
    auto back = fresh();
    ASSERT_EQ(fileIn(*back, bytes, m_db.get()), Acad::eOk);
    expectSameMark(*stored, *back);
    // The record carries the writing module's version and the mark's real handle.
    EXPECT_EQ(back->GetParamInt(IND_I_AppVersion), static_cast<std::uint32_t>(GetProgramVersionNumber()));
    AcDbHandle handle;
    stored->getAcDbHandle(handle);
    wchar_t real[17] = {};
    handle.getIntoAsciiBuffer(real, 17);
    EXPECT_EQ(back->GetParamString(8), std::wstring(real));
    EXPECT_NE(back->GetParamString(8), L"FFFF");
    stored->close();
}

TEST_F(HeightTest, OlderRecordsAreReadWithTheirRepairs) {
    {   // Five points filed: read as eight, the others zero.
        Record r;
        r.points.resize(5);
        auto mark = fresh();
        ASSERT_EQ(fileIn(*mark, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(mark->Points().length(), kHeightPointCount);
        EXPECT_EQ(mark->GetPoint(6).distanceTo(P(0, 0)), 0.0);
        EXPECT_EQ(mark->GetPoint(7).distanceTo(P(0, 0)), 0.0);
        EXPECT_EQ(mark->Texts().size(), static_cast<size_t>(kHeightTextCount));
        EXPECT_EQ(mark->GetText(0), L"OK");
        EXPECT_EQ(mark->GetHeight1(), 3.25);
    }
    {   // Before 2019 plan marks underlined as section marks did.
        Record r;
        r.ints[IND_I_AppVersion] = 2018;
        r.ints[IND_I_HDimTextUnderline] = 1;
        r.ints[IND_I_HPDimTextUnderline] = 0;
        auto mark = fresh();
        ASSERT_EQ(fileIn(*mark, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(mark->GetParamInt(IND_I_HPDimTextUnderline), 1u);
        r.ints[IND_I_AppVersion] = 2019;
        auto newer = fresh();
        ASSERT_EQ(fileIn(*newer, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(newer->GetParamInt(IND_I_HPDimTextUnderline), 0u);
    }
    for (const wchar_t* unit : {L"m", L"M"}) { // version 1 wrote metres for "m/cm"
        Record r;
        r.version = 1;
        r.strings[IND_S_Measure] = unit;
        auto mark = fresh();
        ASSERT_EQ(fileIn(*mark, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(mark->GetParamString(IND_S_Measure), L"m/cm");
        r.version = 2;
        auto v2 = fresh();
        ASSERT_EQ(fileIn(*v2, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(v2->GetParamString(IND_S_Measure), unit);
    }
    {   // A plan mark stands on its input point, without extension line; zero vectors repaired.
        Record r;
        r.plan = 1;
        r.ints[IND_I_ExtLine] = 1;
        r.vectorDim = AcGeVector3d(0, 0, 0);
        r.axes[1] = AcGeVector3d(0, 0, 0);
        auto mark = fresh();
        ASSERT_EQ(fileIn(*mark, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_TRUE(mark->IsPlan());
        EXPECT_EQ(mark->GetPoint(kHPointInput).distanceTo(P(1, 3)), 0.0);
        EXPECT_EQ(mark->GetParamInt(IND_I_ExtLine), 0u);
        EXPECT_TRUE(mark->GetVectorDim().isEqualTo(AcGeVector3d::kXAxis));
        EXPECT_TRUE(mark->GetAxis(1).isEqualTo(AcGeVector3d::kYAxis));
    }
    {   // Parameters the record lacks take today's height-mark options.
        Record r;
        r.ints.resize(5);
        pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptInt[IND_I_HUserText] = 1;
        auto mark = fresh();
        ASSERT_EQ(fileIn(*mark, r.bytes(m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(mark->GetParamInt(IND_I_HUserText), 1u);
        EXPECT_GE(mark->GetParams().arrayInt.size(), static_cast<size_t>(OPT_INT_COUNT));
        // 16-bit filing: 70000 comes back as 70000 - 65536.
        auto big = makeMark(false, 1, P(0, 0), 1.0);
        big->SetParamInt(IND_I_Decimals, 70000);
        auto back = fresh();
        ASSERT_EQ(fileIn(*back, fileOut(*big, m_db.get()), m_db.get()), Acad::eOk);
        EXPECT_EQ(back->GetParamInt(IND_I_Decimals), 4464u);
    }
}

TEST_F(HeightTest, NewerDamagedAndTruncatedRecordsAreRefusedAndChangeNothing) {
    auto mark = makeMark(false, 2, P(5, 5), 2.0);
    const std::vector<std::uint8_t> before = fileOut(*mark, m_db.get());
    Record newer;
    newer.version = 3;
    EXPECT_EQ(fileIn(*mark, newer.bytes(m_db.get()), m_db.get()), kTRdimHeightRecordRefused);
    EXPECT_EQ(fileOut(*mark, m_db.get()), before);
    Record negative;
    negative.version = 0;
    EXPECT_NE(fileIn(*mark, negative.bytes(m_db.get()), m_db.get()), Acad::eOk);
    EXPECT_EQ(fileOut(*mark, m_db.get()), before);
    // Every cut of a good record is refused without a crash and leaves the mark alone.
    const std::vector<std::uint8_t> good = Record().bytes(m_db.get());
    host::DwgBufferFiler baseOnly(AcDb::kFileFiler, m_db.get());
    BaseOnly().dwgOut(&baseOnly);
    for (size_t cut = baseOnly.bytes().size(); cut < good.size(); ++cut) {
        const std::vector<std::uint8_t> part(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_NE(fileIn(*mark, part, m_db.get()), Acad::eOk) << cut;
    }
    EXPECT_EQ(fileOut(*mark, m_db.get()), before);
}

TEST_F(HeightTest, FilingNeedsTheOptionsAndTheMarksParameters) {
    TRdimHeight empty;
    Acad::ErrorStatus es = Acad::eOk;
    fileOut(empty, m_db.get(), &es);
    EXPECT_EQ(es, Acad::eInvalidInput);
    auto mark = makeMark(true, 2, P(1, 1), 0.0);
    const std::vector<std::uint8_t> bytes = fileOut(*mark, m_db.get());
    CGlobDimOptions* options = pGlobDimOptions;
    pGlobDimOptions = nullptr;
    auto back = fresh();
    EXPECT_EQ(fileIn(*back, bytes, m_db.get()), Acad::eInvalidInput);
    fileOut(*mark, m_db.get(), &es);
    EXPECT_EQ(es, Acad::eInvalidInput);
    pGlobDimOptions = options;
    EXPECT_EQ(fileIn(*back, bytes, m_db.get()), Acad::eOk);
    expectSameMark(*mark, *back);
}

namespace {

// Records the groups a DXF filer is given, as text.
class GroupRecorder : public AcDbDxfFiler {
public:
    std::vector<std::pair<int, std::wstring>> groups;
    Acad::ErrorStatus filerStatus() const override { return Acad::eOk; }
    AcDb::FilerType filerType() const override { return AcDb::kFileFiler; }
    void setFilerStatus(Acad::ErrorStatus) override {}
    void resetFilerStatus() override {}
    AcDbDatabase* database() const override { return nullptr; }
    Acad::ErrorStatus readResBuf(resbuf*) override { return Acad::eEndOfFile; }
    void pushBackItem() override {}
    bool atEOF() override { return true; }
    bool atSubclassData(const wchar_t*) override { return false; }
    bool atExtendedData() override { return false; }
    bool atEndOfObject() override { return true; }
    Acad::ErrorStatus writeResBuf(const resbuf& rb) override { return add(rb.restype, L"resbuf"); }
    Acad::ErrorStatus writeString(int c, const wchar_t* v) override { return add(c, v ? v : L""); }
    Acad::ErrorStatus writeObjectId(int c, const AcDbObjectId&) override { return add(c, L"id"); }
    Acad::ErrorStatus writeInt16(int c, Adesk::Int16 v) override { return add(c, std::to_wstring(v)); }
    Acad::ErrorStatus writeInt32(int c, Adesk::Int32 v) override { return add(c, std::to_wstring(v)); }
    Acad::ErrorStatus writeUInt8(int c, Adesk::UInt8 v) override { return add(c, std::to_wstring(v)); }
    Acad::ErrorStatus writeBool(int c, bool v) override { return add(c, std::to_wstring(v)); }
    Acad::ErrorStatus writeDouble(int c, double v, int) override { return add(c, std::to_wstring(v)); }
    Acad::ErrorStatus writePoint3d(int c, const AcGePoint3d& v, int) override { return add(c, std::to_wstring(v.x)); }
    Acad::ErrorStatus writeVector3d(int c, const AcGeVector3d& v, int) override {
        return add(c, std::to_wstring(v.x));
    }
    Acad::ErrorStatus writeAcDbHandle(int c, const AcDbHandle&) override { return add(c, L"handle"); }

private:
    Acad::ErrorStatus add(int code, const std::wstring& value) {
        groups.emplace_back(code, value);
        return Acad::eOk;
    }
};

} // namespace

// DXF carries the entity's common groups and nothing of the mark.
TEST_F(HeightTest, DxfCarriesOnlyTheBaseEntity) {
    auto mark = makeMark(false, 1, P(1, 1), 2.5);
    mark->setColorIndex(5);
    BaseOnly base;
    base.setPropertiesFrom(mark.get());
    GroupRecorder fromMark, fromBase;
    EXPECT_EQ(mark->dxfOutFields(&fromMark), Acad::eOk);
    EXPECT_EQ(base.dxfOutFields(&fromBase), Acad::eOk);
    EXPECT_EQ(fromMark.groups, fromBase.groups);
    EXPECT_FALSE(fromMark.groups.empty());
}
