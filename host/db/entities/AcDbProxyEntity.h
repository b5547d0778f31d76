#pragma once
// An entity of a class this session does not know. It keeps the class's names,
// its proxy flags, the bytes the class filed after the common entity data, and
// its proxy graphics; it shows the graphics and files everything back unchanged,
// so a drawing passes through without losing what it held. Only what the flags
// allow may be changed; moving is never allowed (the kept bytes would not follow).
#include "host/db/entities/AcDbEntity.h"
#include "host/gi/GiPrimitive.h"

#include <string>
#include <vector>

class AcDbProxyEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyEntity);
    AcDbProxyEntity() = default;
    ~AcDbProxyEntity() override = default;

    enum GraphicsMetafileType { kNoMetafile = 0, kBoundingBox = 1, kFullGraphics = 2 };
    enum {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kTransformAllowed = 0x2,
        kColorChangeAllowed = 0x4,
        kLayerChangeAllowed = 0x8,
        kLinetypeChangeAllowed = 0x10,
        kLinetypeScaleChangeAllowed = 0x20,
        kVisibilityChangeAllowed = 0x40,
        kCloningAllowed = 0x80,
        kLineWeightChangeAllowed = 0x100,
        kPlotStyleNameChangeAllowed = 0x200,
        kAllButCloningAllowed = 0x37F,
        kAllAllowedBits = 0xBFF,
        kDisableProxyWarning = 0x400,
        kMaterialChangeAllowed = 0x800
    };

    int proxyFlags() const { return m_flags; }
    const wchar_t* originalClassName() const { return m_className.c_str(); }
    const wchar_t* originalDxfName() const { return m_dxfName.c_str(); }
    const wchar_t* applicationDescription() const { return m_appName.c_str(); }
    GraphicsMetafileType graphicsMetafileType() const { return m_graphics.empty() ? kNoMetafile : kFullGraphics; }

    // ---- host side: what the drawing file brings
    void setOriginalClass(const std::wstring& className, const std::wstring& dxfName, const std::wstring& appName,
                          int proxyFlags);
    // False (and the old graphics kept) for damaged bytes; the message says why.
    bool setProxyGraphics(const std::vector<uint8_t>& bytes, std::wstring& error);
    const std::vector<uint8_t>& proxyGraphics() const { return m_graphics; }
    // The class's own bytes, after the common entity data.
    const std::vector<uint8_t>& originalData() const { return m_data; }

    Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true) override;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true) override;
    Acad::ErrorStatus setLayer(const wchar_t* newVal, bool doSubents = true, bool allowHiddenLayer = false) override;
    Acad::ErrorStatus setLayer(AcDbObjectId newVal, bool doSubents = true, bool allowHiddenLayer = false) override;
    Acad::ErrorStatus setLinetype(const wchar_t* newVal, bool doSubents = true) override;
    Acad::ErrorStatus setLinetype(AcDbObjectId newVal, bool doSubents = true) override;
    Acad::ErrorStatus setLinetypeScale(double newval, bool doSubents = true) override;
    Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, bool doSubents = true) override;
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, bool doSubents = true) override;

    // Reads the common entity data, then keeps every byte left in the record.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;

private:
    bool allows(int flag) const { return (m_flags & flag) != 0; }
    const host::gi::GiRecording& recording() const;

    std::wstring m_className;
    std::wstring m_dxfName;
    std::wstring m_appName;
    int m_flags = 0;
    std::vector<uint8_t> m_data;
    std::vector<uint8_t> m_graphics;
    mutable host::gi::GiRecording m_recording;
    mutable bool m_recordingRead = false;
};
