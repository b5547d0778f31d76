#pragma once
// The drawing's annotation scale and the annotative flag of entities.
class AcDbDatabase;
class AcDbEntity;

// The factor of the database's current annotation scale (paper / drawing units); 1.0
// when it has none or it cannot be read. A null database means the working one.
double GetCurAnnotationScale(AcDbDatabase* db);
// Makes the entity annotative or not. False when it already is in that state, when it
// cannot be changed, or when its class has no annotative protocol.
bool SetAnnotative(AcDbEntity* entity, bool bOn);
