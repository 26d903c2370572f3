// Network connections belong to the host.  The host creates a HostConnection
// for each POP3 or SMTP client (callback 39); the client is a
// ConnectionProxy with the same slot layout, forwarding what the module calls
// to the host's object and receiving what the host calls.
#pragma once

#include <cstdint>

namespace postroom {

class HostConnection {
public:
    virtual int Read(char* buffer, int capacity) = 0;                     // 0
    virtual int Write(const char* buffer, int length) = 0;                // 1
    virtual void OnWritable() = 0;                                        // 2
    virtual void OnDataAvailable() = 0;                                   // 3
    virtual void OnEvent(int code, std::intptr_t a, std::intptr_t b) = 0; // 4
    virtual void Open() = 0;                                              // 5
    virtual void Close() = 0;                                             // 6
    virtual char* AllocBuffer(int size) = 0;                              // 7
    virtual void FreeBuffer(char* buffer) = 0;                            // 8
    virtual const char* LocalHostName() = 0;                              // 9
    virtual void Finish(int code, std::intptr_t a, std::intptr_t b) = 0;  // 10
    virtual int Status() = 0;                                             // 11
    virtual ~HostConnection() = default;                                  // 12

protected:
    HostConnection() = default;
    HostConnection(const HostConnection&) = default;
    HostConnection& operator=(const HostConnection&) = default;
};

// End codes of a connection.
enum ConnectionEnd : int {
    CONNECTION_FAILED = 33328,
    CONNECTION_DONE = 33330,
};

// The record of callback 39; the host fills in the connection.
struct ConnectionRequest {
    HostConnection* connection;
};

class ConnectionProxy : public HostConnection {
public:
    ConnectionProxy() = default;
    ~ConnectionProxy() override = default;

    // Reads at most capacity bytes; a host answering more is held to it.
    int Read(char* buffer, int capacity) override;
    int Write(const char* buffer, int length) override;
    void Open() override;
    void Close() override;
    char* AllocBuffer(int size) override;
    void FreeBuffer(char* buffer) override;
    const char* LocalHostName() override;
    void Finish(int code, std::intptr_t a, std::intptr_t b) override;
    int Status() override;

    HostConnection* Connection() const { return connection_; }
    void SetConnection(HostConnection* c) { connection_ = c; }

    // Asks the host for a connection to server:port and opens it.  When the
    // host gives none the client ends at once with CONNECTION_FAILED.
    bool Connect(const char* server, int port);

private:
    HostConnection* connection_ = nullptr;  // the host's; released by the owner
};

}  // namespace postroom
