#pragma once
// Tells the host what, beyond a chain's or height mark's own data and the drawing,
// decides how it is drawn: the options. The host keeps the boxes of entities in a
// drawing file and uses them again after reading only while that stamp is the
// same, so a drawing opened with other options is drawn to be found instead of
// being picked by boxes that no longer fit.

// After the entity classes are registered, and taken back before they go.
void RegisterLooksStamps();
void RemoveLooksStamps();

// Everything in the options that can change how a chain or height mark looks, as a
// 64-bit value; the same in every session with the same options and module version.
unsigned long long OptionsLooksStamp();
