// The sanitizers' default options, linked into every program of a sanitized
// build (-DUNDERCROFT_SANITIZE=ON). ASAN_OPTIONS, LSAN_OPTIONS and
// UBSAN_OPTIONS in the environment still add to or override them.

extern "C" {
// Leaks end the process with a report, like any other error.
const char* __asan_default_options()
{
    return "detect_leaks=1:check_initialization_order=1:strict_init_order=1";
}

// Only leaks whose every frame lies in the driver and window libraries are
// suppressed; the file says which and why.
const char* __lsan_default_options()
{
    return "suppressions=" LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}
}
