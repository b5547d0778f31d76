#include "host/db/database/XDataStore.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/acutResbuf.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/rx/acutString.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"

#include <cstdlib>
#include <cstring>

namespace host {

namespace {

bool sameName(const std::wstring& a, const wchar_t* b) { return host::equalsNoCase(a, b); }

bool isTextCode(int c) { return c == 1000 || c == 1002 || c == 1003 || c == 1005; }
bool isPointCode(int c) { return c >= 1010 && c <= 1013; }
bool isRealCode(int c) { return c >= 1040 && c <= 1042; }

// One group of a chain into an item; false for a group extended data cannot hold.
bool toItem(const resbuf* rb, XDataItem& item) {
    item.code = rb->restype;
    int c = rb->restype;
    if (isTextCode(c)) {
        item.text = rb->resval.rstring ? rb->resval.rstring : L"";
        if (c == 1002) return item.text == L"{" || item.text == L"}";
        if (c == 1005) {
            AcDbHandle h;
            return AcDbHandle::fromText(item.text.c_str(), h);
        }
        return true;
    }
    if (isPointCode(c)) {
        std::memcpy(item.v, rb->resval.rpoint, sizeof(item.v));
        return true;
    }
    if (isRealCode(c)) {
        item.real = rb->resval.rreal;
        return true;
    }
    if (c == 1070) {
        item.integer = rb->resval.rint;
        return true;
    }
    if (c == 1071) {
        item.integer = rb->resval.rlong;
        return true;
    }
    if (c == 1004) {
        short n = rb->resval.rbinary.clen;
        if (n < 0 || n > 127 || (n > 0 && !rb->resval.rbinary.buf)) return false;
        item.bytes.assign(rb->resval.rbinary.buf, rb->resval.rbinary.buf + n);
        return true;
    }
    return false;
}

// Braces of 1002 groups must pair up within an application's data.
bool bracesBalanced(const std::vector<XDataItem>& items) {
    int depth = 0;
    for (const auto& it : items) {
        if (it.code != 1002) continue;
        depth += it.text == L"{" ? 1 : -1;
        if (depth < 0) return false;
    }
    return depth == 0;
}

resbuf* toResbuf(const XDataItem& it) {
    resbuf* rb = acutNewRb(it.code);
    if (!rb) return nullptr;
    if (isTextCode(it.code)) {
        acutNewString(it.text.c_str(), rb->resval.rstring);
    } else if (isPointCode(it.code)) {
        std::memcpy(rb->resval.rpoint, it.v, sizeof(it.v));
    } else if (isRealCode(it.code)) {
        rb->resval.rreal = it.real;
    } else if (it.code == 1070) {
        rb->resval.rint = short(it.integer);
    } else if (it.code == 1071) {
        rb->resval.rlong = it.integer;
    } else if (it.code == 1004 && !it.bytes.empty()) {
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(it.bytes.size()));
        if (rb->resval.rbinary.buf) {
            std::memcpy(rb->resval.rbinary.buf, it.bytes.data(), it.bytes.size());
            rb->resval.rbinary.clen = short(it.bytes.size());
        }
    }
    return rb;
}

} // namespace

bool XDataItem::operator==(const XDataItem& o) const {
    return code == o.code && text == o.text && v[0] == o.v[0] && v[1] == o.v[1] && v[2] == o.v[2] &&
           real == o.real && integer == o.integer && bytes == o.bytes;
}

bool XDataStore::operator==(const XDataStore& o) const {
    if (m_apps.size() != o.m_apps.size()) return false;
    for (size_t i = 0; i < m_apps.size(); ++i)
        if (m_apps[i].name != o.m_apps[i].name || m_apps[i].items != o.m_apps[i].items) return false;
    return true;
}

size_t XDataStore::byteSizeOf(const std::vector<XDataApp>& apps) {
    size_t total = 0;
    for (const auto& app : apps) {
        total += 2 + 2 + toUtf8(app.name).size();
        for (const auto& it : app.items) {
            total += 2;
            if (it.code == 1005)
                total += 8;
            else if (it.code == 1002)
                total += 1;
            else if (isTextCode(it.code))
                total += 2 + toUtf8(it.text).size();
            else if (isPointCode(it.code))
                total += 24;
            else if (isRealCode(it.code))
                total += 8;
            else if (it.code == 1070)
                total += 2;
            else if (it.code == 1071)
                total += 4;
            else if (it.code == 1004)
                total += 1 + it.bytes.size();
        }
    }
    return total;
}

Acad::ErrorStatus XDataStore::set(const resbuf* chain, const std::function<bool(const std::wstring&)>& isRegistered) {
    const resbuf* rb = chain;
    if (rb && rb->restype == -3) rb = rb->rbnext;
    if (!rb) return Acad::eOk;
    if (rb->restype != 1001) return Acad::eInvalidResBuf;

    std::vector<XDataApp> next = m_apps;
    while (rb) {
        if (rb->restype != 1001 || !rb->resval.rstring || !*rb->resval.rstring) return Acad::eInvalidResBuf;
        XDataApp app;
        app.name = rb->resval.rstring;
        if (isRegistered && !isRegistered(app.name)) return Acad::eRegappIdNotFound;
        for (rb = rb->rbnext; rb && rb->restype != 1001; rb = rb->rbnext) {
            XDataItem item;
            if (!toItem(rb, item)) return Acad::eInvalidResBuf;
            app.items.push_back(std::move(item));
        }
        if (!bracesBalanced(app.items)) return Acad::eInvalidResBuf;
        auto found = next.begin();
        while (found != next.end() && !sameName(found->name, app.name.c_str())) ++found;
        if (app.items.empty()) {
            // The name alone removes that application's data.
            if (found != next.end()) next.erase(found);
        } else if (found != next.end()) {
            found->items = std::move(app.items);
        } else {
            next.push_back(std::move(app));
        }
    }
    if (byteSizeOf(next) > kMaxXDataBytes) return Acad::eXdataSizeExceeded;
    m_apps = std::move(next);
    return Acad::eOk;
}

resbuf* XDataStore::get(const wchar_t* appName) const {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const auto& app : m_apps) {
        if (appName && !sameName(app.name, appName)) continue;
        resbuf* name = acutNewRb(1001);
        if (!name) break;
        acutNewString(app.name.c_str(), name->resval.rstring);
        *tail = name;
        tail = &name->rbnext;
        for (const auto& it : app.items) {
            resbuf* rb = toResbuf(it);
            if (!rb) break;
            *tail = rb;
            tail = &rb->rbnext;
        }
    }
    return head;
}

void XDataStore::transformBy(const AcGeMatrix3d& xform) {
    const double scale = xform.scale();
    for (auto& app : m_apps) {
        for (auto& it : app.items) {
            if (it.code == 1011) {
                AcGePoint3d p(it.v[0], it.v[1], it.v[2]);
                p.transformBy(xform);
                it.v[0] = p.x, it.v[1] = p.y, it.v[2] = p.z;
            } else if (it.code == 1012 || it.code == 1013) {
                AcGeVector3d v(it.v[0], it.v[1], it.v[2]);
                v.transformBy(xform);
                if (it.code == 1013) v.normalize();
                it.v[0] = v.x, it.v[1] = v.y, it.v[2] = v.z;
            } else if (it.code == 1041 || it.code == 1042) {
                it.real *= scale;
            }
        }
    }
}

Acad::ErrorStatus XDataStore::dwgOut(AcDbDwgFiler* f) const {
    f->writeUInt32(Adesk::UInt32(m_apps.size()));
    for (const auto& app : m_apps) {
        f->writeString(app.name);
        f->writeUInt32(Adesk::UInt32(app.items.size()));
        for (const auto& it : app.items) {
            f->writeInt16(it.code);
            if (isTextCode(it.code)) {
                f->writeString(it.text);
            } else if (isPointCode(it.code)) {
                f->writePoint3d(AcGePoint3d(it.v[0], it.v[1], it.v[2]));
            } else if (isRealCode(it.code)) {
                f->writeDouble(it.real);
            } else if (it.code == 1070 || it.code == 1071) {
                f->writeInt32(it.integer);
            } else if (it.code == 1004) {
                f->writeUInt8(Adesk::UInt8(it.bytes.size()));
                f->writeBytes(it.bytes.data(), it.bytes.size());
            }
        }
    }
    return f->filerStatus();
}

Acad::ErrorStatus XDataStore::dwgIn(AcDbDwgFiler* f) {
    Adesk::UInt32 appCount = 0;
    if (f->readUInt32(&appCount) != Acad::eOk) return f->filerStatus();
    std::vector<XDataApp> apps;
    // Every application takes at least a few bytes, so a count is checked as it is
    // used: a damaged count runs into the end of the data, not into memory.
    for (Adesk::UInt32 a = 0; a < appCount && f->filerStatus() == Acad::eOk; ++a) {
        XDataApp app;
        Adesk::UInt32 itemCount = 0;
        f->readString(app.name);
        f->readUInt32(&itemCount);
        for (Adesk::UInt32 i = 0; i < itemCount && f->filerStatus() == Acad::eOk; ++i) {
            XDataItem it;
            Adesk::Int16 code = 0;
            f->readInt16(&code);
            it.code = code;
            if (isTextCode(code)) {
                f->readString(it.text);
            } else if (isPointCode(code)) {
                AcGePoint3d p;
                f->readPoint3d(&p);
                it.v[0] = p.x, it.v[1] = p.y, it.v[2] = p.z;
            } else if (isRealCode(code)) {
                f->readDouble(&it.real);
            } else if (code == 1070 || code == 1071) {
                f->readInt32(&it.integer);
            } else if (code == 1004) {
                Adesk::UInt8 n = 0;
                f->readUInt8(&n);
                it.bytes.resize(n);
                f->readBytes(it.bytes.data(), n);
            } else {
                f->setFilerStatus(Acad::eInvalidResBuf);
            }
            app.items.push_back(std::move(it));
        }
        apps.push_back(std::move(app));
    }
    if (f->filerStatus() != Acad::eOk) return f->filerStatus();
    m_apps = std::move(apps);
    return Acad::eOk;
}

} // namespace host
