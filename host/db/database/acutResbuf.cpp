#include "host/db/database/acutResbuf.h"

#include "host/rx/acutString.h"
#include "host/rx/adscodes.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace host {

RbKind resbufKind(int t) {
    switch (t) {
    case RTSTR:
    case -4: // selection filter operators "<or" ...
    case -6:
    case RTDXF0:
        return RbKind::String;
    case RTPOINT:
    case RT3DPOINT:
        return RbKind::Point;
    case RTREAL:
    case RTANG:
    case RTORINT:
        return RbKind::Real;
    case RTSHORT:
        return RbKind::Short;
    case RTLONG:
        return RbKind::Long;
    case RTINT64:
    case RTLONG_PTR:
        return RbKind::Int64;
    case RTENAME:
    case RTPICKS:
    case -1:
    case -2:
        return RbKind::Name;
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTVOID:
    case RTNONE:
    case -3:
    case -5:
        return RbKind::None;
    default:
        break;
    }
    if (t == 1004 || (t >= 310 && t <= 319)) return RbKind::Binary;
    if (isDxfStringCode(t)) return RbKind::String;
    if (isDxfPointCode(t)) return RbKind::Point;
    if (isDxfRealCode(t)) return RbKind::Real;
    if (isDxfShortCode(t)) return RbKind::Short;
    if (isDxfLongCode(t)) return RbKind::Long;
    if (isDxfInt64Code(t)) return RbKind::Int64;
    return RbKind::None;
}

namespace {
bool knownType(int t) {
    if (resbufKind(t) != RbKind::None) return true;
    switch (t) {
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT:
    case RTVOID:
    case -3:
    case -5:
        return true;
    default:
        return false;
    }
}
} // namespace

resbuf* copyResbufChain(const resbuf* rb) {
    resbuf* head = nullptr;
    resbuf** tail = &head;
    for (const resbuf* p = rb; p; p = p->rbnext) {
        resbuf* n = acutNewRb(p->restype);
        if (!n) break;
        switch (resbufKind(p->restype)) {
        case RbKind::String:
            acutNewString(p->resval.rstring, n->resval.rstring);
            break;
        case RbKind::Binary:
            n->resval.rbinary.clen = 0;
            if (p->resval.rbinary.buf && p->resval.rbinary.clen > 0) {
                n->resval.rbinary.buf = static_cast<char*>(std::malloc(size_t(p->resval.rbinary.clen)));
                if (n->resval.rbinary.buf) {
                    std::memcpy(n->resval.rbinary.buf, p->resval.rbinary.buf, size_t(p->resval.rbinary.clen));
                    n->resval.rbinary.clen = p->resval.rbinary.clen;
                }
            }
            break;
        default:
            n->resval = p->resval;
            break;
        }
        *tail = n;
        tail = &n->rbnext;
    }
    return head;
}

} // namespace host

resbuf* acutNewRb(int v) {
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb) rb->restype = short(v);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        switch (host::resbufKind(rb->restype)) {
        case host::RbKind::String:
            std::free(rb->resval.rstring);
            break;
        case host::RbKind::Binary:
            std::free(rb->resval.rbinary.buf);
            break;
        default:
            break;
        }
        std::free(rb);
        rb = next;
    }
    return RTNORM;
}

resbuf* acutBuildList(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    resbuf* head = nullptr;
    resbuf** tail = &head;
    bool ok = true;
    for (int t = rtype; t != 0 && t != RTNONE; t = va_arg(ap, int)) {
        if (!host::knownType(t)) {
            ok = false;
            break;
        }
        resbuf* rb = acutNewRb(t);
        if (!rb) {
            ok = false;
            break;
        }
        *tail = rb;
        tail = &rb->rbnext;
        switch (host::resbufKind(t)) {
        case host::RbKind::String:
            acutNewString(va_arg(ap, const wchar_t*), rb->resval.rstring);
            break;
        case host::RbKind::Point: {
            const double* p = va_arg(ap, const double*);
            if (p) std::memcpy(rb->resval.rpoint, p, sizeof(double) * 3);
            break;
        }
        case host::RbKind::Real:
            rb->resval.rreal = va_arg(ap, double);
            break;
        case host::RbKind::Short:
            rb->resval.rint = short(va_arg(ap, int));
            break;
        case host::RbKind::Long:
            rb->resval.rlong = int32_t(va_arg(ap, int));
            break;
        case host::RbKind::Int64:
            rb->resval.mnInt64 = va_arg(ap, int64_t);
            break;
        case host::RbKind::Name: {
            const LONG_PTR* n = va_arg(ap, const LONG_PTR*);
            if (n) {
                rb->resval.rlname[0] = n[0];
                rb->resval.rlname[1] = n[1];
            }
            break;
        }
        case host::RbKind::Binary: {
            const ads_binary* b = va_arg(ap, const ads_binary*);
            if (b && b->buf && b->clen > 0) {
                rb->resval.rbinary.buf = static_cast<char*>(std::malloc(size_t(b->clen)));
                if (rb->resval.rbinary.buf) {
                    std::memcpy(rb->resval.rbinary.buf, b->buf, size_t(b->clen));
                    rb->resval.rbinary.clen = b->clen;
                }
            }
            break;
        }
        case host::RbKind::None:
            break;
        }
    }
    va_end(ap);
    if (!ok) {
        acutRelRb(head);
        return nullptr;
    }
    return head;
}
