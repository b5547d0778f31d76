#pragma once
// "Autom. Maßtextposition": the order in which the automatic text placement tries the
// eight places around a point. Each place button shows its rank; a click on a button
// without one gives it the next rank, "Entfernen" takes the rank of the last clicked
// button away. OK builds the order text ("side code,place,place..."); Cancel leaves
// it empty.
#include "host/mfc/CDialog.h"

#include <array>
#include <string>

class CDlgAutoPosOrder : public CDialog {
public:
    explicit CDlgAutoPosOrder(CWnd* pParent = nullptr);

    // The order text after OK; empty after Cancel.
    std::wstring m_strOrder;

    // The side code (1 "Links", plus 2 "Rechts"), then for each rank 1 to 8 in turn
    // "," and the number of the place with that rank; places without a rank are left
    // out. `rankOfPlace[p]` is the rank of place p + 1 (0: none).
    static std::wstring BuildOrderText(bool left, bool right, const std::array<int, 8>& rankOfPlace);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRanks();

    std::array<int, 8> m_ranks{};
    int m_lastPlace = -1;
};
