// kovra: the stand-in for the browser host.  An MDI frame that loads
// postroom.dll, answers its callbacks, hands deferred events back from its
// own message loop and opens real Winsock connections.  A script on the
// command line drives MBAPICall so that tests can run it under Wine.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include <winsock2.h>
#include <windows.h>

#include "frame/connection.h"
#include "frame/host.h"

namespace kovra {

using MBAPICallFn = std::int32_t(POSTROOM_STDCALL*)(std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t,
                                                    std::intptr_t, std::intptr_t);

// Window messages of the frame.
enum : UINT {
    WM_KOVRA_DELIVER = WM_APP + 1,  // lParam: a QueuedEvent to give back
    WM_KOVRA_STEP,                  // run the next script step
    WM_KOVRA_SOCKET,                // Winsock notifications
    WM_KOVRA_FINISHED,              // lParam: a connection whose end is due
};

struct Options {
    std::string hostDir;
    std::string mailDir;      // answer of callback 84; empty: none
    std::string account;      // answer of callback 86
    std::string logPath;
    std::vector<std::string> script;
};

class SocketConnection;

struct Host {
    Options options;
    HWND frame = nullptr;
    HWND mdiClient = nullptr;
    HMODULE module = nullptr;
    MBAPICallFn call = nullptr;
    std::intptr_t node = 0;
    bool started = false;
    std::FILE* log = nullptr;
    std::size_t step = 0;
    int pendingEvents = 0;
    bool holding = false;              // deliveries wait for "release"
    std::vector<void*> held;
    UINT_PTR nextTimer = 1000;
    std::map<UINT_PTR, void*> delayed;
    std::vector<SocketConnection*> connections;
    int exitCode = 0;

    void Log(const char* format, ...);
};

extern Host* g_host;

std::int32_t POSTROOM_STDCALL HostCallback(std::uint32_t code, postroom::HostArg p, postroom::HostArg q,
                                           postroom::HostArg b, postroom::HostArg c);

// Connections (callbacks 39 and 40) and their socket notifications.
postroom::HostConnection* CreateConnection(const char* server, int port, postroom::HostConnection* client);
void ReleaseConnection(postroom::HostConnection* connection);
void OnSocketMessage(WPARAM socket, LPARAM event);
void OnFinished(LPARAM connection);
// A small client of the host's own, for testing connections end to end:
// sends one line and logs what comes back.
bool StartProbeClient(const std::string& server, int port);

}  // namespace kovra
