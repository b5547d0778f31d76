#pragma once
// The services every operation that touches a drawing goes through: the working
// database and documents, host variables, layers, handle texts and external drawings,
// saving, picking, the draw-order table and regenerating the module's objects.
class AcDbDatabase;

// The host's working database. Without one the first document is made current and
// asked again; null (with a log line) when there is still none.
AcDbDatabase* acdbCurDwg();
