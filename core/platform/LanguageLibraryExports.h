#pragma once

// The C functions a language resource library exports. A library is a shared object that
// defines all four; its tables are arrays that end with an entry whose text is null, and every
// text is UTF-8. The pointers must stay valid while the library is loaded.

#if defined(__GNUC__)
#define QUILLON_LANG_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define QUILLON_LANG_EXPORT extern "C"
#endif

extern "C" {

// One text of the string table.
struct QuillonResString {
    int id;
    const char* text;
};

// One caption of a dialog control; control 0 stands for the dialog's own caption.
struct QuillonResCaption {
    int dialog;
    int control;
    const char* text;
};

// The language's name as the programs know it, e.g. "english".
typedef const char* (*GetResLanguageFunction)();
// The version text; a program takes the library only when it equals the one it requires.
typedef const char* (*GetResVersionFunction)();
typedef const QuillonResString* (*GetResStringsFunction)();
typedef const QuillonResCaption* (*GetResCaptionsFunction)();
}
