// postroom.dll: the exported command function and the library's load and
// unload.  No exception leaves the module: the host would not survive it.
#include <cstdint>
#include <windows.h>

#include "frame/host.h"
#include "frame/module.h"

extern "C" __declspec(dllexport) std::int32_t POSTROOM_STDCALL MBAPICall(std::intptr_t a1, std::intptr_t code,
                                                                          std::intptr_t a3, std::intptr_t a4,
                                                                          std::intptr_t a5, std::intptr_t a6);

extern "C" std::int32_t POSTROOM_STDCALL MBAPICall(std::intptr_t a1, std::intptr_t code, std::intptr_t a3,
                                                   std::intptr_t a4, std::intptr_t a5, std::intptr_t a6)
{
    try {
        // The code travels as a 32-bit value.
        return postroom::module::Command(a1, static_cast<std::uint32_t>(code), a3, a4, a5, a6);
    } catch (...) {
        return 0;
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    try {
        if (reason == DLL_PROCESS_ATTACH)
            postroom::module::Load();
        else if (reason == DLL_PROCESS_DETACH)
            postroom::module::Unload();
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// The host passes every argument in one machine word: 32 bits in the shipped
// DLL, 64 in the 64-bit build of the same sources.
static_assert(sizeof(std::intptr_t) == sizeof(void*), "arguments carry pointers");
#if defined(__i386__)
static_assert(sizeof(postroom::HostArg) == 4, "six 32-bit arguments");
#endif
