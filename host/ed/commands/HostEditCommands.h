#pragma once
// The host's own editing commands, as its command line offers them. They change any
// entity through its own geometry protocol (transformBy, getTransformedCopy, stretch
// and grip points, explode), so a module's custom entities are edited as the host's:
//   MOVE      objects, base point, second point (Enter: the first point is the displacement)
//   COPY      objects, base point, second points until Enter; copies go to the same space
//   ROTATE    objects, base point, angle in degrees, a point at that angle, or Reference
//   SCALE     objects, base point, factor (a number or the distance of a point)
//   MIRROR    objects, two points of the mirror line, whether to erase the sources
//   STRETCH   crossing windows or crossing polygons, base point, second point: points
//             inside move, objects wholly inside move as a whole
//   EXPLODE   objects; each is replaced by its pieces
//   GRIPMOVE  one grip of one object moved to a new point: a host command for scripts
//             that does what dragging a grip does
// Points are typed in the current UCS. Objects on locked layers are left alone, with
// a message. Each command runs in its undo group, so U takes all of it back.
namespace host {

// Adds the commands to the host's command stack. Later calls change nothing.
void registerEditCommands();

} // namespace host
