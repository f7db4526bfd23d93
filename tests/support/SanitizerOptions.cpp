// The sanitizers read these as they start, before main; the environment may still add to them.
extern "C" const char* __asan_default_options()
{
    return ZV_ASAN_OPTIONS;
}

extern "C" const char* __ubsan_default_options()
{
    return ZV_UBSAN_OPTIONS;
}

extern "C" const char* __tsan_default_options()
{
    return ZV_TSAN_OPTIONS;
}
