// Real network connections for the module's clients, on Winsock with
// notifications through the frame's message loop.
#include <algorithm>
#include <cstring>
#include <string>
#include <ws2tcpip.h>

#include "frame/connection.h"
#include "kovra_host.h"

namespace kovra {

class SocketConnection : public postroom::HostConnection {
public:
    SocketConnection(std::string server, int port, postroom::HostConnection* client)
        : server_(std::move(server)), port_(port), client_(client)
    {
    }
    ~SocketConnection() override { CloseSocket(); }

    int Read(char* buffer, int capacity) override
    {
        if (socket_ == INVALID_SOCKET || capacity <= 0)
            return 0;
        const int n = recv(socket_, buffer, capacity, 0);
        return n > 0 ? n : 0;
    }
    int Write(const char* buffer, int length) override
    {
        if (socket_ == INVALID_SOCKET || length <= 0)
            return 0;
        return send(socket_, buffer, length, 0);
    }
    // The host's side of a connection has no client operations.
    void OnWritable() override {}
    void OnDataAvailable() override {}
    void OnEvent(int, std::intptr_t, std::intptr_t) override {}
    void Open() override
    {
        addrinfo hints {};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const std::string port = std::to_string(port_);
        if (getaddrinfo(server_.c_str(), port.c_str(), &hints, &found) != 0 || !found) {
            EndLater(postroom::CONNECTION_FAILED, 1, 0);
            return;
        }
        socket_ = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
        if (socket_ == INVALID_SOCKET) {
            freeaddrinfo(found);
            EndLater(postroom::CONNECTION_FAILED, 2, 0);
            return;
        }
        WSAAsyncSelect(socket_, g_host->frame, WM_KOVRA_SOCKET, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
        const int r = connect(socket_, found->ai_addr, static_cast<int>(found->ai_addrlen));
        freeaddrinfo(found);
        if (r != 0 && WSAGetLastError() != WSAEWOULDBLOCK)
            EndLater(postroom::CONNECTION_FAILED, 3, 0);
    }
    void Close() override { CloseSocket(); }
    char* AllocBuffer(int size) override { return size > 0 ? new (std::nothrow) char[size] : nullptr; }
    void FreeBuffer(char* buffer) override { delete[] buffer; }
    const char* LocalHostName() override
    {
        if (gethostname(hostName_, sizeof hostName_) != 0)
            return nullptr;
        hostName_[sizeof hostName_ - 1] = '\0';
        return hostName_;
    }
    void Finish(int code, std::intptr_t a, std::intptr_t b) override
    {
        CloseSocket();
        EndLater(code, a, b);
    }
    int Status() override { return status_; }

    SOCKET Socket() const { return socket_; }
    postroom::HostConnection* Client() const { return client_; }

    // Reports the end to the client from the message loop, once.
    void EndLater(int code, std::intptr_t a, std::intptr_t b)
    {
        if (ended_)
            return;
        ended_ = true;
        endCode_ = code;
        endA_ = a;
        endB_ = b;
        PostMessageA(g_host->frame, WM_KOVRA_FINISHED, 0, reinterpret_cast<LPARAM>(this));
    }
    void ReportEnd()
    {
        if (client_)
            client_->OnEvent(endCode_, endA_, endB_);
    }
    void OnSocket(LPARAM event)
    {
        const int what = WSAGETSELECTEVENT(event);
        const int error = WSAGETSELECTERROR(event);
        if (ended_ || !client_)
            return;
        switch (what) {
        case FD_CONNECT:
            if (error) {
                EndLater(postroom::CONNECTION_FAILED, error, 0);
            } else {
                g_host->Log("connected");
                client_->OnWritable();
            }
            break;
        case FD_READ:
            client_->OnDataAvailable();
            break;
        case FD_WRITE:
            client_->OnWritable();
            break;
        case FD_CLOSE:
            // Whatever is still buffered is offered first.
            client_->OnDataAvailable();
            CloseSocket();
            EndLater(error ? postroom::CONNECTION_FAILED : postroom::CONNECTION_DONE, error, 0);
            break;
        default:
            break;
        }
    }

private:
    void CloseSocket()
    {
        if (socket_ != INVALID_SOCKET) {
            closesocket(socket_);
            socket_ = INVALID_SOCKET;
        }
    }

    std::string server_;
    int port_;
    postroom::HostConnection* client_;  // the module's; never deleted here
    SOCKET socket_ = INVALID_SOCKET;
    char hostName_[256] = {};
    int status_ = 0;
    bool ended_ = false;
    int endCode_ = 0;
    std::intptr_t endA_ = 0, endB_ = 0;
};

postroom::HostConnection* CreateConnection(const char* server, int port, postroom::HostConnection* client)
{
    if (!server)
        return nullptr;
    auto* c = new (std::nothrow) SocketConnection(server, port, client);
    if (c)
        g_host->connections.push_back(c);
    return c;
}

static SocketConnection* Known(const void* p)
{
    for (SocketConnection* c : g_host->connections)
        if (c == p)
            return c;
    return nullptr;
}

void ReleaseConnection(postroom::HostConnection* connection)
{
    SocketConnection* c = Known(connection);
    if (!c)
        return;
    auto& all = g_host->connections;
    all.erase(std::find(all.begin(), all.end(), c));
    delete c;
}

void OnSocketMessage(WPARAM socket, LPARAM event)
{
    for (SocketConnection* c : g_host->connections)
        if (c->Socket() == static_cast<SOCKET>(socket)) {
            c->OnSocket(event);
            return;
        }
}

void OnFinished(LPARAM connection)
{
    if (SocketConnection* c = Known(reinterpret_cast<void*>(connection)))
        c->ReportEnd();
}

namespace {

// A client with the module's slot layout: sends one line when it can, logs
// every line that comes back, and releases its connection at the end.
class ProbeClient : public postroom::HostConnection {
public:
    int Read(char* buffer, int capacity) override { return connection_ ? connection_->Read(buffer, capacity) : 0; }
    int Write(const char* buffer, int length) override
    {
        return connection_ ? connection_->Write(buffer, length) : 0;
    }
    void OnWritable() override
    {
        if (sent_ || !connection_)
            return;
        sent_ = true;
        static const char kLine[] = "HELLO kovra\r\n";
        Write(kLine, static_cast<int>(sizeof kLine - 1));
    }
    void OnDataAvailable() override
    {
        char buffer[512];
        int n;
        while ((n = Read(buffer, sizeof buffer)) > 0) {
            received_.append(buffer, static_cast<std::size_t>(n));
            std::size_t nl;
            while ((nl = received_.find("\r\n")) != std::string::npos) {
                g_host->Log("received %s", received_.substr(0, nl).c_str());
                received_.erase(0, nl + 2);
            }
        }
    }
    void OnEvent(int code, std::intptr_t, std::intptr_t) override
    {
        g_host->Log("ended %d", code);
        HostCallback(postroom::HC_RELEASE_CONNECTION, reinterpret_cast<postroom::HostArg>(connection_), 0, 0, 0);
        connection_ = nullptr;
        delete this;
    }
    void Open() override
    {
        if (connection_)
            connection_->Open();
    }
    void Close() override {}
    char* AllocBuffer(int) override { return nullptr; }
    void FreeBuffer(char*) override {}
    const char* LocalHostName() override { return nullptr; }
    void Finish(int, std::intptr_t, std::intptr_t) override {}
    int Status() override { return 0; }

    postroom::HostConnection* connection_ = nullptr;

private:
    bool sent_ = false;
    std::string received_;
};

}  // namespace

bool StartProbeClient(const std::string& server, int port)
{
    auto* client = new (std::nothrow) ProbeClient;
    if (!client)
        return false;
    postroom::ConnectionRequest request {nullptr};
    HostCallback(postroom::HC_CREATE_CONNECTION, reinterpret_cast<postroom::HostArg>(&request),
                 reinterpret_cast<postroom::HostArg>(server.c_str()), port,
                 reinterpret_cast<postroom::HostArg>(static_cast<postroom::HostConnection*>(client)));
    if (!request.connection) {
        delete client;
        return false;
    }
    client->connection_ = request.connection;
    client->Open();
    return true;
}

}  // namespace kovra
