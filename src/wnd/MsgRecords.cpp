#include <windows.h>
#include <cstdlib>
#include "wnd/MsgRecords_int.h"

namespace {

CMsgRecord* s_free = NULL;

}  // namespace

void MsgRecordPush(CMsgRecord** ppTop, const MSG& msg)
{
    CMsgRecord* node = s_free;
    if (node != NULL)
        s_free = node->pNext;
    else
        node = static_cast<CMsgRecord*>(malloc(sizeof(CMsgRecord)));
    node->msg = msg;
    node->pNext = *ppTop;
    *ppTop = node;
}

bool MsgRecordPop(CMsgRecord** ppTop, MSG* pOut)
{
    CMsgRecord* node = *ppTop;
    if (node == NULL)
        return false;
    if (pOut != NULL)
        *pOut = node->msg;
    *ppTop = node->pNext;
    node->pNext = s_free;
    s_free = node;
    return true;
}
