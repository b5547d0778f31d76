#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/filing/AcDbDxfFiler.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/base/ModuleInfo.h"

#include <cmath>
#include <cstdint>

using namespace chaintest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

// A chain that files only what every entity files, to put a hand-made record behind.
struct BaseOnly : TRdim {
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override {
        return AcDbEntity::dwgOutFields(filer);
    }
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override {
        return AcDbEntity::dxfOutFields(filer);
    }
};

// A chain record written field by field, as drawings of every version hold it.
struct Record {
    struct App {
        int segment = 1;
        AcGePoint3d position;
        int autoPos = 1;
        std::wstring text;
        double value = 0;
        int reserved = 0;
        std::wstring text2;
    };
    int version = 4;
    int type = kDimHorizontal;
    AcGePoint3d origin;
    AcGeVector3d axes[3] = {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis};
    double rotation = 0;
    AcGeVector3d vectorDim = AcGeVector3d::kXAxis;
    std::vector<AcGePoint3d> points;
    int pointCount = -1; // when set, filed instead of the real count (a damaged record)
    std::vector<std::wstring> texts;
    std::vector<double> doubles{0.01};
    std::vector<std::wstring> strings{L"1:100"};
    std::vector<std::uint16_t> ints{1};
    AcGeVector3d zAxis = AcGeVector3d::kZAxis;
    AcDbObjectId style;
    std::vector<App> apps;
    int arcMarker = 0;
    AcDbObjectId arcId;
    int arcSubent = 0;
    std::vector<AcGePoint3d> arcPoints;
    std::vector<double> arcParams;
    std::vector<std::int16_t> flags;

    // Two extensions at x = 0 and x = 4 with their dimension points at y = 3.
    static Record twoExtensions(int version) {
        Record r;
        r.version = version;
        for (double x : {0.0, 4.0})
            for (const AcGePoint3d& p : {P(x, 0), P(x, 2), P(x, 3), P(x + 2, 3.5)})
                r.points.push_back(p);
        r.texts = {L"", L"4,00#8"};
        r.flags = {0, 1};
        return r;
    }

    // The entity's common fields come from `like` (layer, colour ...) when given.
    std::vector<std::uint8_t> bytes(AcDbDatabase* db, const AcDbEntity* like = nullptr) const {
        host::DwgBufferFiler f(AcDb::kFileFiler, db);
        BaseOnly base;
        if (like) base.setPropertiesFrom(like);
        base.dwgOut(&f);
        f.writeInt16(std::int16_t(version));
        f.writeInt16(std::int16_t(type));
        if (version >= 3) {
            f.writePoint3d(origin);
            for (const AcGeVector3d& a : axes)
                f.writeVector3d(a);
        }
        f.writeDouble(rotation);
        if (version >= 2) f.writeVector3d(vectorDim);
        f.writeInt16(std::int16_t(pointCount != -1 ? pointCount : static_cast<int>(points.size())));
        for (const AcGePoint3d& p : points)
            f.writePoint3d(p);
        f.writeInt16(std::int16_t(texts.size()));
        for (const std::wstring& t : texts)
            f.writeString(t);
        f.writeInt16(std::int16_t(doubles.size()));
        for (double d : doubles)
            f.writeDouble(d);
        f.writeInt16(std::int16_t(strings.size()));
        for (const std::wstring& s : strings)
            f.writeString(s);
        f.writeInt16(std::int16_t(ints.size()));
        for (std::uint16_t i : ints)
            f.writeUInt16(i);
        f.writeVector3d(zAxis);
        f.writeHardPointerId(style);
        f.writeInt16(std::int16_t(apps.size()));
        for (const App& a : apps) {
            f.writeInt16(std::int16_t(a.segment));
            f.writePoint3d(a.position);
            f.writeInt16(std::int16_t(a.autoPos));
            f.writeString(a.text);
            f.writeDouble(a.value);
            f.writeInt16(std::int16_t(a.reserved));
            f.writeString(a.text2);
        }
        f.writeInt16(std::int16_t(arcMarker));
        if (arcMarker != 0) {
            f.writeHardPointerId(arcId);
            f.writeUInt16(std::uint16_t(arcSubent));
            for (const AcGePoint3d& p : arcPoints)
                f.writePoint3d(p);
        }
        f.writeInt16(std::int16_t(arcParams.size()));
        for (double d : arcParams)
            f.writeDouble(d);
        f.writeInt16(std::int16_t(flags.size()));
        for (std::int16_t w : flags)
            f.writeInt16(w);
        if (!flags.empty()) f.writeInt16(0);
        return f.bytes();
    }
};

std::vector<std::uint8_t> fileOut(const TRdim& chain, AcDbDatabase* db, Acad::ErrorStatus* status = nullptr) {
    host::DwgBufferFiler out(AcDb::kFileFiler, db);
    const Acad::ErrorStatus es = chain.dwgOut(&out);
    if (status) *status = es;
    return out.bytes();
}

Acad::ErrorStatus fileIn(TRdim& chain, const std::vector<std::uint8_t>& bytes, AcDbDatabase* db) {
    host::DwgBufferFiler in(bytes, AcDb::kFileFiler, db);
    return chain.dwgIn(&in);
}

std::unique_ptr<TRdim> fresh() {
    return std::unique_ptr<TRdim>(TRdim::cast(TRdim::desc()->create()));
}

// Everything a user could lose, compared exactly: filing writes doubles bit for bit.
void expectSameChain(const TRdim& a, const TRdim& b) {
    EXPECT_EQ(a.GetDimType(), b.GetDimType());
    EXPECT_TRUE(a.GetUcsOrigin().isEqualTo(b.GetUcsOrigin(), AcGeTol()));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(a.GetUcsAxis(i).isEqualTo(b.GetUcsAxis(i), AcGeTol())) << i;
    EXPECT_EQ(a.GetRotation(), b.GetRotation());
    EXPECT_TRUE(a.GetVectorDim().isEqualTo(b.GetVectorDim(), AcGeTol()));
    ASSERT_EQ(a.Points().length(), b.Points().length());
    for (int i = 0; i < a.Points().length(); ++i)
        EXPECT_EQ(a.Points()[i].distanceTo(b.Points()[i]), 0.0) << i;
    EXPECT_EQ(a.Texts(), b.Texts());
    EXPECT_EQ(a.ArrayDouble(), b.ArrayDouble());
    EXPECT_EQ(a.ArrayString(), b.ArrayString());
    EXPECT_TRUE(a.GetZAxis().isEqualTo(b.GetZAxis(), AcGeTol()));
    EXPECT_EQ(a.GetTextStyleId(), b.GetTextStyleId());
    ASSERT_EQ(a.AppTexts().size(), b.AppTexts().size());
    for (size_t i = 0; i < a.AppTexts().size(); ++i) {
        const AppendingText &x = a.AppTexts()[i], &y = b.AppTexts()[i];
        EXPECT_EQ(x.m_iSegment, y.m_iSegment);
        EXPECT_EQ(x.m_position.distanceTo(y.m_position), 0.0);
        EXPECT_EQ(x.m_iAutoPos, y.m_iAutoPos);
        EXPECT_EQ(x.m_strText, y.m_strText);
        EXPECT_EQ(x.m_dValue, y.m_dValue);
        EXPECT_EQ(x.m_iReserved, y.m_iReserved);
        EXPECT_EQ(x.m_strText2, y.m_strText2);
    }
    EXPECT_EQ(a.GetArcObjectId(), b.GetArcObjectId());
    EXPECT_TRUE(a.ArcPoints() == b.ArcPoints());
    EXPECT_TRUE(a.ArcParams() == b.ArcParams());
    EXPECT_EQ(a.ExtFlags(), b.ExtFlags());
}

} // namespace

// A chain filed and read back is the same chain; the record is exactly the documented
// field sequence, with the module's version code at IND_I_AppVersion.
TEST_F(ChainTest, AFiledChainReadsBackMemberForMember) {
    const double a = 0.3;
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(P(1e6, 2e6), AcGeVector3d(std::cos(a), std::sin(a), 0),
                       AcGeVector3d(-std::sin(a), std::cos(a), 0), AcGeVector3d::kZAxis);
    auto chain = makeChain({ucs * P(0, 0), ucs * P(4, 0), ucs * P(9.5, 0), ucs * P(12, 1)}, kDimHorizontal,
                           ucs * P(0, 3), true, ucs);
    chain->SetDimTextPos(1, -14);
    chain->SetDimTextUser(2, L"5,5");
    chain->SetDimTextPrefix(2, L"ca.");
    chain->SetDimTextSuffix(3, L"R\u00FCcksprung \u00B1");
    chain->SetExtHidden(1, true);
    chain->SetExtLeader(2, true);
    chain->SetTickSymbol(3, kTickCircle);
    AppendingText first, third;
    first.m_strText = L"BR\u00DC 0,90";
    third.m_strText = L"^x";
    third.m_iAutoPos = 0;
    third.m_dValue = 2.5;
    third.m_iReserved = 7;
    third.m_strText2 = L"zwei";
    chain->SetAppendingText(1, &first);
    chain->SetAppendingText(3, &third);
    chain->SetParamString(IND_S_DimDescription, L"2Gesamt");
    chain->SetParamInt(IND_I_AppVersion, 7);
    chain->SetParamInt(IND_I_Decimals, 70000); // beyond 16 bits
    chain->SetTextStyleId(m_db->textstyle());

    Acad::ErrorStatus es = Acad::eNotApplicable;
    const std::vector<std::uint8_t> bytes = fileOut(*chain, m_db.get(), &es);
    ASSERT_EQ(es, Acad::eOk);
    auto back = fresh();
    ASSERT_EQ(fileIn(*back, bytes, m_db.get()), Acad::eOk);
    expectSameChain(*chain, *back);
    ASSERT_EQ(back->ArrayInt().size(), chain->ArrayInt().size());
    for (size_t i = 0; i < chain->ArrayInt().size(); ++i) {
        std::uint32_t expected = chain->ArrayInt()[i];
        if (i == IND_I_AppVersion) expected = static_cast<std::uint32_t>(GetProgramVersionNumber());
        if (i == IND_I_Decimals) expected = 70000 & 0xFFFF;
        EXPECT_EQ(back->ArrayInt()[i], expected) << i;
    }
    EXPECT_EQ(fileOut(*back, m_db.get()), bytes);

    // The same chain written by hand, field by field.
    Record r;
    r.origin = chain->GetUcsOrigin();
    for (int i = 0; i < 3; ++i)
        r.axes[i] = chain->GetUcsAxis(i);
    r.rotation = chain->GetRotation();
    r.vectorDim = chain->GetVectorDim();
    r.points.assign(chain->Points().begin(), chain->Points().end());
    r.texts = chain->Texts();
    r.doubles = chain->ArrayDouble();
    r.strings = chain->ArrayString();
    r.ints.assign(back->ArrayInt().begin(), back->ArrayInt().end());
    r.zAxis = chain->GetZAxis();
    r.style = chain->GetTextStyleId();
    for (const AppendingText& t : chain->AppTexts())
        r.apps.push_back(
            {t.m_iSegment, t.m_position, t.m_iAutoPos, t.m_strText, t.m_dValue, t.m_iReserved, t.m_strText2});
    r.flags.assign(chain->ExtFlags().begin(), chain->ExtFlags().end());
    EXPECT_EQ(r.bytes(m_db.get(), chain.get()), bytes);

    // Read into a chain that already has texts of its own (undo does that): the record
    // replaces them, nothing is merged.
    auto other = makeChain({P(0, 0), P(1, 0)}, kDimHorizontal, P(0, 1));
    AppendingText stale;
    stale.m_strText = L"alt";
    other->SetAppendingText(1, &stale);
    ASSERT_EQ(fileIn(*other, bytes, m_db.get()), Acad::eOk);
    expectSameChain(*chain, *other);
}

// Records of versions 1 to 3 are read with the repairs older drawings need.
TEST_F(ChainTest, OlderRecordsAreReadWithTheirRepairs) {
    const std::vector<double>& globalD = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
    const std::vector<int>& globalI = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt;
    AcGeMatrix3d turned;
    turned.setCoordSystem(P(5, 5), AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0, 0), AcGeVector3d::kZAxis);

    Record v1 = Record::twoExtensions(1);
    v1.texts = {L""}; // one entry short
    v1.doubles = {0.02, 35};
    v1.strings = {L"1:50"};
    v1.ints = {1, 0, 2};
    v1.apps = {
        {0, P(1, 4), 1, L"A", 0, 0, L""}, {1, P(1, 5), 1, L"B", 0, 0, L""}, {2, P(3, 4), 1, L"C", 0, 0, L""}};
    v1.flags = {1, 1, 1}; // three words for two extensions
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimVertical, P(3, 0), true, turned);
    ASSERT_EQ(fileIn(*chain, v1.bytes(m_db.get()), m_db.get()), Acad::eOk);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(chain->GetUcsAxis(i) == Record().axes[i]) << i;
    EXPECT_POINT_NEAR(chain->GetUcsOrigin(), AcGePoint3d::kOrigin, 0.0);
    EXPECT_TRUE(chain->GetVectorDim() == AcGeVector3d::kXAxis);
    EXPECT_EQ(chain->Texts().size(), 2u);
    EXPECT_EQ(chain->ArrayDouble()[IND_D_ScaleVal], 0.02);
    EXPECT_EQ(chain->ArrayDouble()[IND_D_TextHeight], 35.0);
    EXPECT_EQ(chain->ArrayDouble()[IND_D_ExtendBeyondDimLine], globalD[IND_D_ExtendBeyondDimLine]);
    EXPECT_EQ(chain->ArrayString()[IND_S_Scale], L"1:50");
    EXPECT_EQ(chain->ArrayInt()[IND_I_RoundMM], 2u);
    EXPECT_EQ(chain->ArrayInt()[IND_I_Decimals], static_cast<std::uint32_t>(globalI[IND_I_Decimals]));
    ASSERT_EQ(chain->AppTexts().size(), 2u);
    EXPECT_EQ(chain->AppTexts()[0].m_strText, L"A");
    EXPECT_EQ(chain->AppTexts()[1].m_strText, L"C");
    EXPECT_EQ(chain->ExtFlags(), (TRdimExtFlagArray{0, 0}));
    EXPECT_EQ(chain->GetDistance(1), 4.0);

    Record v2 = Record::twoExtensions(2);
    v2.vectorDim = AcGeVector3d(0, 0, 0);
    v2.texts = {L"", L"4,00#8", L"\u00FCberz\u00E4hlig"};
    ASSERT_EQ(fileIn(*chain, v2.bytes(m_db.get()), m_db.get()), Acad::eOk);
    EXPECT_TRUE(chain->GetVectorDim() == AcGeVector3d::kXAxis);
    EXPECT_EQ(chain->Texts(), (std::vector<std::wstring>{L"", L"4,00#8"}));
    EXPECT_EQ(chain->ExtFlags(), (TRdimExtFlagArray{0, 1}));

    Record v3 = Record::twoExtensions(3);
    v3.type = kDimVertical;
    v3.origin = P(7, 8);
    v3.axes[1] = AcGeVector3d(0, 0, 0);
    v3.vectorDim = AcGeVector3d(0, 1, 0);
    ASSERT_EQ(fileIn(*chain, v3.bytes(m_db.get()), m_db.get()), Acad::eOk);
    EXPECT_EQ(chain->GetDimType(), kDimVertical);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(chain->GetUcsAxis(i) == Record().axes[i]) << i;
    EXPECT_TRUE(chain->GetVectorDim() == AcGeVector3d::kYAxis);

    // An arc chain of version 3 cannot be rebuilt without its curve; version 4 can,
    // from its own points, which are made up to seven.
    Record arc = Record::twoExtensions(3);
    arc.type = kDimArc;
    arc.arcMarker = 4;
    arc.arcPoints = {P(1, 1), P(2, 2), P(3, 3)};
    arc.arcParams = {0.5, 1.5};
    auto arcChain = fresh();
    EXPECT_EQ(fileIn(*arcChain, arc.bytes(m_db.get()), m_db.get()), kTRdimRecordRefused);
    arc.version = 4;
    arc.ints.assign(OPT_INT_COUNT, 0);
    arc.ints[IND_I_AppVersion] = 2303;
    ASSERT_EQ(fileIn(*arcChain, arc.bytes(m_db.get()), m_db.get()), Acad::eOk);
    ASSERT_EQ(arcChain->ArcPoints().length(), 7);
    EXPECT_POINT_NEAR(arcChain->ArcPoints()[2], P(3, 3), 0.0);
    for (int i = 3; i < 7; ++i)
        EXPECT_POINT_NEAR(arcChain->ArcPoints()[i], AcGePoint3d::kOrigin, 0.0) << i;
    EXPECT_TRUE(arcChain->ArcParams() == (AcGeDoubleArray{0.5, 1.5}));
    EXPECT_TRUE(arcChain->GetArcObjectId().isNull());
}

// A newer, damaged or cut-off record is refused and leaves the chain exactly as it was.
TEST_F(ChainTest, NewerDamagedAndTruncatedRecordsAreRefusedAndChangeNothing) {
    auto source = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 3));
    source->SetDimTextPrefix(2, L"ca.");
    AppendingText rec;
    rec.m_strText = L"Zusatz";
    source->SetAppendingText(2, &rec);
    source->SetExtHidden(1, true);
    const std::vector<std::uint8_t> full = fileOut(*source, m_db.get());

    auto target = makeChain({P(0, 0), P(5, 0)}, kDimVertical, P(2, 0));
    auto snapshot = fresh();
    ASSERT_EQ(fileIn(*snapshot, fileOut(*target, m_db.get()), m_db.get()), Acad::eOk);

    Record v5 = Record::twoExtensions(4);
    v5.version = 5;
    EXPECT_EQ(fileIn(*target, v5.bytes(m_db.get()), m_db.get()), kTRdimRecordRefused);
    Record v0 = Record::twoExtensions(4);
    v0.version = 0;
    EXPECT_NE(fileIn(*target, v0.bytes(m_db.get()), m_db.get()), Acad::eOk);
    Record damaged = Record::twoExtensions(4);
    for (int count : {-4, 32000}) {
        damaged.pointCount = count;
        EXPECT_NE(fileIn(*target, damaged.bytes(m_db.get()), m_db.get()), Acad::eOk) << count;
    }
    Record noExtension = Record::twoExtensions(4);
    noExtension.points.clear();
    EXPECT_EQ(fileIn(*target, noExtension.bytes(m_db.get()), m_db.get()), kTRdimRecordRefused);
    expectSameChain(*snapshot, *target);

    for (size_t n = 0; n < full.size(); ++n) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        ASSERT_NE(fileIn(*target, cut, m_db.get()), Acad::eOk) << "cut at " << n << " of " << full.size();
    }
    expectSameChain(*snapshot, *target);
    ASSERT_EQ(fileIn(*target, full, m_db.get()), Acad::eOk);
    expectSameChain(*source, *target);
}

// Without the options, while the module unloads, or without parameters the chain files
// nothing of its own and says why.
TEST_F(ChainTest, FilingNeedsTheRunningModuleAndTheChainsParameters) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    host::DwgBufferFiler base(AcDb::kFileFiler, m_db.get());
    ASSERT_EQ(BaseOnly().dwgOut(&base), Acad::eOk);
    const size_t baseSize = base.bytes().size();
    const std::vector<std::uint8_t> good = fileOut(*chain, m_db.get());

    CGlobDimOptions* options = pGlobDimOptions;
    pGlobDimOptions = nullptr;
    Acad::ErrorStatus es = Acad::eOk;
    EXPECT_EQ(fileOut(*chain, m_db.get(), &es).size(), baseSize);
    EXPECT_EQ(es, Acad::eInvalidInput);
    auto target = fresh();
    EXPECT_EQ(fileIn(*target, good, m_db.get()), Acad::eInvalidInput);
    EXPECT_EQ(target->GetExtensions(), 0);
    pGlobDimOptions = options;

    TRdim empty;
    empty.SetParams(TRdimParams{});
    EXPECT_EQ(fileOut(empty, m_db.get(), &es).size(), baseSize);
    EXPECT_EQ(es, Acad::eInvalidInput);

    acrxDynamicLinker->sendModuleMessage(kModuleName, AcRx::kUnloadAppMsg, nullptr);
    ASSERT_TRUE(IsModuleStopped());
    ASSERT_NE(pGlobDimOptions, nullptr);
    EXPECT_EQ(fileOut(*chain, m_db.get(), &es).size(), baseSize);
    EXPECT_EQ(es, Acad::eInvalidInput);
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
    Acad::ErrorStatus writePoint3d(int c, const AcGePoint3d& v, int) override {
        return add(c, std::to_wstring(v.x));
    }
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

// DXF carries the entity's common groups and nothing of the chain.
TEST_F(ChainTest, DxfCarriesOnlyTheBaseEntity) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    chain->setColorIndex(2);
    BaseOnly base;
    base.setPropertiesFrom(chain.get());
    GroupRecorder fromChain, fromBase;
    EXPECT_EQ(chain->dxfOutFields(&fromChain), Acad::eOk);
    EXPECT_EQ(base.dxfOutFields(&fromBase), Acad::eOk);
    EXPECT_EQ(fromChain.groups, fromBase.groups);
    EXPECT_FALSE(fromChain.groups.empty());
}
