// A Windows program that keeps one processor busy, for the end-to-end tests to find by name.
// It ends by itself after the seconds given (default 120), should a test not end it.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const ULONGLONG seconds = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 120;
    const ULONGLONG until = GetTickCount64() + seconds * 1000;
    volatile unsigned long long spins = 0;
    while (GetTickCount64() < until)
        for (int i = 0; i < 1000000; ++i) spins = spins + 1;
    return 0;
}
