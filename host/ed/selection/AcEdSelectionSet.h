#pragma once
// Selection sets: what acedSSGet returns, what the pick-first selection is, and the
// functions that read and change them. A set's name is an ads_name that stands for
// the set; its members are entity names (handle and database), so a set never
// points into a drawing that has gone. At most kMaxSelectionSets sets may be open at
// once, as in the host: a module must free what it gets.
#include "host/db/database/adesk.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

#include <vector>

// RTNORM; RTERROR for a name that is no open set or a null argument.
int acedSSLength(const ads_name sname, Adesk::Int32* len);
// The entity name of member i; RTERROR when i is out of range.
int acedSSName(const ads_name ss, Adesk::Int32 i, ads_name entres);
// How member i was selected, as a list:
//   (method ename marker)               method 0 unknown, 2 window, 3 crossing, 4 fence
//   (1 ename marker (0 (x y z)))        a pick, with the marker of the primitive under
//                                       the pick box (RTLONG) and the pick point (world)
// The caller frees the list with acutRelRb.
int acedSSNameX(struct resbuf** rbpp, const ads_name ss, const Adesk::Int32 i, unsigned int flags = 0);
// Frees the set; RTERROR for a name that is no open set.
int acedSSFree(const ads_name sname);
// Both names null: a new empty set. Only the entity: a new set with it. Both: the
// entity is added to the set (once), and result names that set.
int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
// RTERROR when the entity is not in the set.
int acedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when the entity is in the set, else RTERROR.
int acedSSMemb(const ads_name ename, const ads_name ss);
// Makes the set the pick-first selection (a copy of it); a null set clears it.
int acedSSSetFirst(const ads_name pset, const ads_name unused);
// The gripped and the pick-first selection, each as an RTPICKS resbuf naming a new
// set (the caller frees both), or null when nothing is selected.
int acedSSGetFirst(struct resbuf** gset, struct resbuf** pset);
// The last entity of the working database's model space that is not erased.
int acdbEntLast(ads_name result);

inline constexpr int kMaxSelectionSets = 128;

namespace host {

enum SelectMethod {
    kSelectUnknown = 0,
    kSelectPick = 1,
    kSelectWindow = 2,
    kSelectCrossing = 3,
    kSelectFence = 4
};

struct SelectedEntity {
    LONG_PTR name[2] = {0, 0}; // the entity name
    int method = kSelectUnknown;
    LONG_PTR marker = 0;
    AcGePoint3d pickPoint;
};

// A new set holding the members; RTERROR when too many sets are open.
int newSelectionSet(const std::vector<SelectedEntity>& members, ads_name result);
// The members of an open set; null for a name that is none.
const std::vector<SelectedEntity>* selectionSetMembers(const ads_name ss);
int openSelectionSetCount();

// The selection made last (for "Previous").
void setPreviousSelection(const std::vector<SelectedEntity>& members);
const std::vector<SelectedEntity>& previousSelection();
const std::vector<SelectedEntity>& pickFirstSelection();

// Forgets every set, the previous and the pick-first selection (a new session, tests).
void resetSelectionSets();

} // namespace host
