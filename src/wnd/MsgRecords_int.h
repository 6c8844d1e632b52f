// Message records of CWnd's dispatch stack. Nodes are recycled through a
// process-wide free list, so dispatching a message allocates nothing once the
// deepest nesting has been seen.
#pragma once

#include <windows.h>
#include "wnd/CWnd.h"

void MsgRecordPush(CMsgRecord** ppTop, const MSG& msg);
// Pops the top record, copying it to pOut when that is not NULL; false when empty.
bool MsgRecordPop(CMsgRecord** ppTop, MSG* pOut);
