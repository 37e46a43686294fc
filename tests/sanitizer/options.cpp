// Linked into every program of a sanitizer build, so the test runs, the test
// discovery at build time and the programs the tests start all check leaks
// the same way, without environment variables.
extern "C" {

const char *__asan_default_options()
{
    return "detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1";
}

const char *__lsan_default_options()
{
    return "suppressions=" TINTORA_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

const char *__ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

}
