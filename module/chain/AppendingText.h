#pragma once
// An appended text ("Zusatz-Maßtext") of a chain segment, and the chain's list of them:
// at most one per segment.
#include "host/ge/AcGePoint3d.h"

#include <string>
#include <vector>

struct AppendingText {
    int m_iSegment = 0;     // segment k; 0 and 1 both mean segment 1 (filed 16-bit)
    AcGePoint3d m_position; // insertion point
    AcGePoint3d m_refPoint; // not filed: the segment's text point at the last re-sort
    int m_iAutoPos = 1;     // nonzero: follows its segment text and may show m_dValue
    std::wstring m_strText;
    double m_dValue = 0.0;
    int m_iReserved = 0;     // filed 16-bit value without further use
    std::wstring m_strText2; // filed
    std::wstring m_strText3; // not filed; cleared when stored into a chain

    // The record shows m_dValue formatted like a segment value instead of its text.
    bool ShowsValue() const;
};

using AppendingTextList = std::vector<AppendingText>;

// Position of the record of segment k in the list, or -1. Segment 0 is segment 1: when
// k < 2, records filed with 0 are set to 1 on the way. A second record for the same
// segment is deleted (and logged) and the search goes on.
int FindAppendingText(AppendingTextList& list, int k, void (*log)(const wchar_t*) = nullptr);

// Stores a copy of `record` as the record of segment k (replacing the one there, or
// appended), with its segment set to k (0 becomes 1) and its third text cleared, and
// returns its position; the caller then places it. A null record deletes the record of
// segment k and returns -1.
int StoreAppendingText(AppendingTextList& list, int k, const AppendingText* record,
                       void (*log)(const wchar_t*) = nullptr);
