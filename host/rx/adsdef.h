#pragma once
// The value types of the host's C-level interface: points, entity names and the
// linked result buffer (resbuf) that carries typed values between host and module.
#include "host/win/WinTypes.h"

#include <cstdint>

typedef double ads_real;
typedef ads_real ads_point[3];
typedef LONG_PTR ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef LONG_PTR* ads_namep;

enum { X = 0, Y = 1, Z = 2 };

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#define PAUSE L"\\"

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    wchar_t* rstring;
    LONG_PTR rlname[2];
    int32_t rlong;
    int64_t mnInt64;
    struct ads_binary rbinary;
    unsigned char ihandle[8];
};

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

typedef struct resbuf* pResbuf;

// Point and name helpers the host's headers offer as macros.
#define ads_point_set(from, to) ((to)[X] = (from)[X], (to)[Y] = (from)[Y], (to)[Z] = (from)[Z])
#define ads_name_set(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1])
#define ads_name_clear(name) ((name)[0] = (name)[1] = 0)
#define ads_name_nil(name) ((name)[0] == 0 && (name)[1] == 0)
#define ads_name_equal(a, b) ((a)[0] == (b)[0] && (a)[1] == (b)[1])
