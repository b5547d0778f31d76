#pragma once
// What the module's lower layers (the drawing's services, chains, height marks, the
// commands and reactors) ask of the palette. The palette sits above them all (it shows
// and edits their settings), so they reach it through this port, which the module
// installs when it starts. Until then every question gets the answer of a module
// without a palette.
#include "host/db/database/AcDbObjectId.h"

#include <string>

class AcDbObject;

// The layer the palette offers for a new object.
struct PaletteLayerChoice {
    // The drawing's current layer: the object keeps the layer it is given.
    bool current = false;
    // A layer name; empty for the layer the options give the object's scale.
    std::wstring name;
};

class PalettePort {
public:
    virtual ~PalettePort() = default;
    // True while the palette exists (shown or hidden).
    virtual bool Exists() const = 0;
    // Makes the palette when there is none, without showing it; false when it cannot.
    virtual bool Start() = 0;
    // Makes the palette when there is none and shows it; false when it cannot.
    virtual bool Open() = 0;
    // Destroys the palette without storing its state: one a command made for itself.
    virtual void Discard() = 0;
    // Destroys the palette and stores whether it was shown, as the module does at its end.
    virtual void Close() = 0;
    // Stores whether the palette is shown, so the next start shows it again (or not).
    virtual void SaveShownState() {}
    // Steps aside while the user picks in the drawing, and comes back as it was.
    virtual void Hide() = 0;
    virtual void Show() = 0;
    // Gives the object the palette's settings of `mode` (keepArcSettings: a chain along
    // an arc keeps its arc's); false when the palette does not know the object.
    virtual bool InitParameters(int mode, AcDbObject* object, bool keepArcSettings) = 0;
    // Switches the palette to `mode` unless it is in it.
    virtual void SelectMode(int mode) = 0;
    // The palette's buttons; off while a command creates an object.
    virtual void EnableActions(bool enable) = 0;
    virtual PaletteLayerChoice LayerChoice() const = 0;
    // Shows the values of these chains.
    virtual void SelectObjects(const AcDbObjectIdArray& ids) = 0;
    // Brings the scale list up to the space that is active now.
    virtual void SelectScale() = 0;
    // The palette's check boxes for input points and the framed sum; false when there
    // are none to read.
    virtual bool ScreenAidChoice(bool& inputPoints, bool& sum) const = 0;
};

// The installed port, or one that answers for a module without a palette.
PalettePort& Palette();
// Installs the port (null: none); the caller keeps it alive while installed.
void InstallPalettePort(PalettePort* port);
