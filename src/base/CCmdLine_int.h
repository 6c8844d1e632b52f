// CCmdLine: the program token of a command line, which is how the library
// finds the host program's own folder (the module handle would name the
// library, not the host).
#pragma once

#include <windows.h>

class CCmdLine {
public:
    CCmdLine();                            // the process command line
    explicit CCmdLine(const char* text);   // a given command line, kept by pointer
    ~CCmdLine();
    CCmdLine(const CCmdLine&) = delete;
    CCmdLine& operator=(const CCmdLine&) = delete;

    // out (MAX_PATH bytes) := the program's folder joined with name; name
    // alone when the program cannot be found; empty when the result does not
    // fit. Returns out.
    char* FileNextToProgram(char* out, const char* name) const;
    // out (MAX_PATH bytes) := the program's folder, or empty when the program
    // file cannot be found or its folder does not fit. True when found.
    bool ProgramFolder(char* out) const;

    const char* line;
    char* program;      // heap copy of the program token; NULL for a blank line

protected:
    void Parse();
};
