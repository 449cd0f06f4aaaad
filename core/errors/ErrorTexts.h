#pragma once
// The message templates of the program's error codes 1 to 7 (the low part of
// the code), one source for every build. Each is a printf template taking the
// arguments its code is raised with: %s for the path, and for code 5 a second
// %s for the kind of file that was expected.
const char* ErrorTemplate(unsigned id);  // empty text for ids without a template

// The message for a code the program does not know, with one %08x for it.
extern const char kUnsupportedErrorTemplate[];
