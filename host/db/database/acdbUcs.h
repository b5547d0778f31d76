#pragma once
// The current user coordinate system of a database (the working one when none
// is given): the matrix from UCS to world coordinates.
#include "host/ge/AcGeMatrix3d.h"

class AcDbDatabase;

// False, and the identity, when there is no database.
bool acdbUcsMatrix(AcGeMatrix3d& mat, AcDbDatabase* pDb = nullptr);
