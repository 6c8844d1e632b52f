#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include "base/CCmdLine_int.h"
#include "base/CPathName_int.h"
#include "base/PathUtil_int.h"

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Heap copy of len bytes of text, zero-terminated.
static char* CopyText(const char* text, size_t len)
{
    char* copy = static_cast<char*>(malloc(len + 1));
    if (copy) {
        memcpy(copy, text, len);
        copy[len] = '\0';
    }
    return copy;
}

CCmdLine::CCmdLine() : line(::GetCommandLineA()), program(NULL)
{
    Parse();
}

CCmdLine::CCmdLine(const char* text) : line(text), program(NULL)
{
    Parse();
}

CCmdLine::~CCmdLine()
{
    free(program);
}

void CCmdLine::Parse()
{
    if (line == NULL)
        return;
    const char* p = line;
    while (IsBlank(*p))
        ++p;
    if (*p == '\0')
        return;

    if (*p == '"' || *p == '\'') {
        const char* start = p + 1;
        const char* close = strchr(start, *p);
        const size_t len = close ? static_cast<size_t>(close - start) : strlen(start);
        program = CopyText(start, len);
        return;
    }

    // Unquoted: a path with spaces is taken whole up to the space after its
    // first full stop, which is normally the one of the file extension.
    const size_t rest = strlen(p);
    size_t len = rest;
    const char* dot = strchr(p + 1, '.');
    if (dot) {
        const char* space = strchr(dot, ' ');
        if (space)
            len = static_cast<size_t>(space - p);
    }
    program = CopyText(p, len);
}

bool CCmdLine::ProgramFolder(char* out) const
{
    CPathName name(program, true);
    if (name.folder == NULL) {
        out[0] = '\0';
        return false;
    }
    return CopyPathText(out, name.folder);
}

char* CCmdLine::FileNextToProgram(char* out, const char* name) const
{
    CPathName path(program, true);
    if (path.folder != NULL && !CopyPathText(out, path.folder))
        return out;     // a folder too long to hold must not turn into the current one
    if (path.folder == NULL)
        out[0] = '\0';
    if (!IsEmptyText(name))
        JoinPath(out, name);
    return out;
}
