// kovra.exe [--host-dir DIR] [--mail-dir DIR] [--account NAME] [--log FILE]
//           [--script STEP,STEP,...]
// Steps: "startup", "shutdown", "pump" (wait until every deferred event has
// come back), "connect:HOST:PORT" (a probe client through callback 39),
// "wait-connections", "hold" and "release" (keep deferred events back, then
// give them back late, as a busy host would), "quit", or a command code with up to three numeric
// arguments, "68" or "61:0".  Without a script the frame stays open until
// closed.  The module is shut down on exit if the script did not do it.
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "frame/commands.h"
#include "kovra_host.h"

namespace kovra {
namespace {

constexpr UINT_PTR kStepTimer = 1;

std::vector<std::string> Split(const std::string& text, char sep)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, sep))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

void Deliver(void* event)
{
    Host* h = g_host;
    if (h->holding) {
        h->held.push_back(event);
        return;
    }
    --h->pendingEvents;
    const std::int32_t r = h->call ? h->call(0, postroom::MBCMD_DELIVER_EVENT, reinterpret_cast<std::intptr_t>(event),
                                             0, 0, 0)
                                   : -1;
    h->Log("deliver -> %d", static_cast<int>(r));
}

void Startup()
{
    Host* h = g_host;
    h->node = 0;
    const std::int32_t r =
        h->call(reinterpret_cast<std::intptr_t>(h->options.hostDir.c_str()), postroom::MBCMD_STARTUP,
                reinterpret_cast<std::intptr_t>(&h->node), reinterpret_cast<std::intptr_t>(&HostCallback), 0,
                reinterpret_cast<std::intptr_t>(h->mdiClient));
    h->started = h->node != 0;
    h->Log("startup -> %d", static_cast<int>(r));
}

void Shutdown()
{
    Host* h = g_host;
    const std::int32_t r = h->call(h->node, postroom::MBCMD_SHUTDOWN, 0, 0, 0, 0);
    h->started = false;
    h->Log("shutdown -> %d", static_cast<int>(r));
}

// Runs script steps until one has to wait for the message loop.
void RunSteps()
{
    Host* h = g_host;
    while (h->step < h->options.script.size()) {
        const std::string& s = h->options.script[h->step];
        if (s == "pump" && h->pendingEvents > 0) {
            SetTimer(h->frame, kStepTimer, 20, nullptr);
            return;
        }
        if (s == "wait-connections" && !h->connections.empty()) {
            SetTimer(h->frame, kStepTimer, 20, nullptr);
            return;
        }
        ++h->step;
        if (s == "startup") {
            Startup();
        } else if (s == "shutdown") {
            Shutdown();
        } else if (s == "pump" || s == "wait-connections") {
            h->Log("%s done", s.c_str());
        } else if (s == "hold") {
            h->holding = true;
            h->Log("hold");
        } else if (s == "release") {
            h->holding = false;
            h->Log("release");
            for (void* e : h->held)
                PostMessageA(h->frame, WM_KOVRA_DELIVER, 0, reinterpret_cast<LPARAM>(e));
            h->held.clear();
        } else if (s == "quit") {
            break;
        } else if (s.rfind("connect:", 0) == 0) {
            const std::vector<std::string> p = Split(s, ':');
            if (p.size() != 3 || !StartProbeClient(p[1], std::atoi(p[2].c_str())))
                h->Log("connect failed");
        } else {
            const std::vector<std::string> p = Split(s, ':');
            std::intptr_t args[4] = {};
            for (std::size_t i = 0; i < p.size() && i < 4; ++i)
                args[i] = static_cast<std::intptr_t>(std::strtoll(p[i].c_str(), nullptr, 0));
            const std::int32_t r = h->call(h->node, args[0], args[1], args[2], args[3], 0);
            h->Log("call %s -> %d", s.c_str(), static_cast<int>(r));
            // Each step gets a turn of the message loop, as a user's would.
            PostMessageA(h->frame, WM_KOVRA_STEP, 0, 0);
            return;
        }
    }
    if (h->step >= h->options.script.size() || h->options.script[h->step - 1] == "quit")
        DestroyWindow(h->frame);
}

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Host* h = g_host;
    switch (msg) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs {};
        ccs.idFirstChild = 50000;
        h->mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0,
                                       0, wnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        return h->mdiClient ? 0 : -1;
    }
    case WM_KOVRA_DELIVER:
        Deliver(reinterpret_cast<void*>(lp));
        return 0;
    case WM_KOVRA_STEP:
        RunSteps();
        return 0;
    case WM_KOVRA_SOCKET:
        OnSocketMessage(wp, lp);
        return 0;
    case WM_KOVRA_FINISHED:
        OnFinished(lp);
        return 0;
    case WM_TIMER: {
        KillTimer(wnd, wp);
        if (wp == kStepTimer) {
            RunSteps();
            return 0;
        }
        const auto it = h->delayed.find(wp);
        if (it != h->delayed.end()) {
            void* e = it->second;
            h->delayed.erase(it);
            Deliver(e);
        }
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        if (h->started)
            Shutdown();
        PostQuitMessage(0);
        return 0;
    default:
        return DefFrameProcA(wnd, h->mdiClient, msg, wp, lp);
    }
}

bool ParseArguments(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string v = argv[++i];
        if (a == "--host-dir")
            o.hostDir = v;
        else if (a == "--mail-dir")
            o.mailDir = v;
        else if (a == "--account")
            o.account = v;
        else if (a == "--log")
            o.logPath = v;
        else if (a == "--script")
            o.script = Split(v, ',');
        else
            return false;
    }
    return true;
}

}  // namespace
}  // namespace kovra

int main(int argc, char** argv)
{
    using namespace kovra;
    Host host;
    g_host = &host;
    if (!ParseArguments(argc, argv, host.options)) {
        std::fprintf(stderr, "usage: kovra [--host-dir DIR] [--mail-dir DIR] [--account NAME] [--log FILE] "
                             "[--script STEPS]\n");
        return 2;
    }
    if (!host.options.logPath.empty())
        host.log = std::fopen(host.options.logPath.c_str(), "w");
    if (host.options.hostDir.empty()) {
        char dir[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof dir, dir);
        host.options.hostDir = dir;
    }
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
        host.Log("winsock failed");
        return 3;
    }
    host.module = LoadLibraryA("postroom.dll");
    host.call = host.module ? reinterpret_cast<MBAPICallFn>(reinterpret_cast<void*>(GetProcAddress(host.module, "MBAPICall")))
                            : nullptr;
    if (!host.call) {
        host.Log("postroom.dll or MBAPICall not found");
        return 4;
    }
    host.Log("loaded");

    WNDCLASSA wc {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "KovraFrame";
    if (!RegisterClassA(&wc))
        return 5;
    host.frame = CreateWindowExA(0, "KovraFrame", "Kovra", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
    if (!host.frame) {
        host.Log("no frame window");
        return 6;
    }
    ShowWindow(host.frame, SW_SHOWNORMAL);
    if (!host.options.script.empty())
        PostMessageA(host.frame, WM_KOVRA_STEP, 0, 0);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateMDISysAccel(host.mdiClient, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (!host.delayed.empty())
        host.Log("%u delayed events undelivered", static_cast<unsigned>(host.delayed.size()));
    FreeLibrary(host.module);
    host.Log("unloaded");
    WSACleanup();
    if (host.log)
        std::fclose(host.log);
    g_host = nullptr;
    return host.exitCode;
}
