#pragma once
// Window-message filters: a module sees the drawing window's messages (right clicks
// for its context menu, mouse moves for its jigs) before the host handles them.
#include "host/win/WinMsg.h"

typedef BOOL (*AcedFilterWinMsgFn)(MSG*);

// False when the function is null or already registered.
bool acedRegisterFilterWinMsg(const AcedFilterWinMsgFn pfn);
// False when the function was not registered.
bool acedRemoveFilterWinMsg(const AcedFilterWinMsgFn pfn);

namespace host {
// Offers a message to the filters, first registered first; true when one of them
// took it (returned TRUE), and the host must then not handle it itself.
bool filterWinMsg(MSG* msg);
int filterWinMsgCount();
} // namespace host
