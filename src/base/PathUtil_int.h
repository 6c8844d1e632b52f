// Small path helpers for locating files next to the host program.
//
// Every output buffer is MAX_PATH (260) bytes, as the library's callers
// allocate them. A result that would not fit becomes the empty text rather
// than a cut-off path: a truncated path could name some other file or
// folder, while an empty one names nothing.
#pragma once

#include <windows.h>

bool IsEmptyText(const char* text);
void AppendSeparator(char* path);                          // adds '\' unless empty or already ending in '\' or '/'
char* JoinPath(char* path, const char* name);              // path + separator + name; returns path
void MakePath(char* out, const char* folder, const char* name);
bool FileExists(const char* path);                         // folders count as existing
void GetProgramFolder(char* out);                          // folder of the process's program, or empty

// Copies text into a MAX_PATH buffer; text that does not fit leaves it empty.
// True when copied.
bool CopyPathText(char* out, const char* text);
