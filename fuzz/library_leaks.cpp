// What LeakSanitizer may leave unreported in targets that read PDFs: the
// font configuration poppler loads once and keeps for the life of the
// process, which fontconfig never frees.

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
