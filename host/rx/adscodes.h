#pragma once
// Result and value-type codes of the host's C-level interface (ads/acut/aced
// functions). Values match the host so stored numbers and comparisons agree.

// Results of the ads/aced/acut functions.
#define RTNORM 5100           // request succeeded
#define RTNONE 5000           // no result (empty input)
#define RTERROR (-5001)       // request failed
#define RTCAN (-5002)         // user cancelled (ESC)
#define RTREJ (-5003)         // request rejected by the host
#define RTFAIL (-5004)        // link to the host failed
#define RTKWORD (-5005)       // input was a keyword
#define RTINPUTTRUNCATED (-5008) // input did not fit the caller's buffer

// Results a function defined for AutoLISP returns to the host.
#define RSRSLT 1 // function returned a result
#define RSERR 3  // function failed

// resbuf value types.
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023
#define RTMODELESS 5027
#define RTLONG_PTR 5030
#define RTINT64 5031

// acedInitGet control bits.
#define RSG_NONULL 0x0001
#define RSG_NOZERO 0x0002
#define RSG_NONEG 0x0004
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040
#define RSG_OTHER 0x0080
#define RSG_DDISTFIRST 0x0100
#define RSG_TRACKUCS 0x0200
#define RSG_NOORTHOZ 0x0400
#define RSG_NOOSNAP 0x0800
#define RSG_NODDIST 0x1000

namespace host {
// DXF group codes in resbufs travel as plain numbers; these tell the value kind.
constexpr bool isDxfStringCode(int code) {
    return (code >= 0 && code <= 9) || (code >= 100 && code <= 102) || code == 105 ||
           (code >= 300 && code <= 369) || (code >= 390 && code <= 399) || (code >= 410 && code <= 419) ||
           (code >= 430 && code <= 439) || (code >= 470 && code <= 481) || code == 999 ||
           (code >= 1000 && code <= 1009);
}
constexpr bool isDxfPointCode(int code) {
    return (code >= 10 && code <= 39) || (code >= 1010 && code <= 1019);
}
constexpr bool isDxfRealCode(int code) {
    return (code >= 40 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 460 && code <= 469) || (code >= 1040 && code <= 1042);
}
constexpr bool isDxfShortCode(int code) {
    return (code >= 60 && code <= 79) || (code >= 170 && code <= 179) || (code >= 270 && code <= 289) ||
           (code >= 370 && code <= 389) || (code >= 400 && code <= 409) || code == 1070;
}
constexpr bool isDxfLongCode(int code) {
    return (code >= 90 && code <= 99) || (code >= 420 && code <= 429) || (code >= 440 && code <= 459) ||
           code == 1071;
}
constexpr bool isDxfInt64Code(int code) { return code >= 160 && code <= 169; }
} // namespace host
