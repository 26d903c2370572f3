#include "frame/connection.h"

#include "frame/host.h"

namespace postroom {

int ConnectionProxy::Read(char* buffer, int capacity)
{
    if (!connection_ || !buffer || capacity <= 0)
        return 0;
    const int n = connection_->Read(buffer, capacity);
    return n > capacity ? capacity : n;
}

int ConnectionProxy::Write(const char* buffer, int length)
{
    return connection_ ? connection_->Write(buffer, length) : -1;
}

void ConnectionProxy::Open()
{
    if (connection_)
        connection_->Open();
}

void ConnectionProxy::Close()
{
    if (connection_)
        connection_->Close();
}

char* ConnectionProxy::AllocBuffer(int size)
{
    return connection_ ? connection_->AllocBuffer(size) : nullptr;
}

void ConnectionProxy::FreeBuffer(char* buffer)
{
    if (connection_)
        connection_->FreeBuffer(buffer);
}

const char* ConnectionProxy::LocalHostName()
{
    return connection_ ? connection_->LocalHostName() : nullptr;
}

void ConnectionProxy::Finish(int code, std::intptr_t a, std::intptr_t b)
{
    if (connection_)
        connection_->Finish(code, a, b);
}

int ConnectionProxy::Status()
{
    return connection_ ? connection_->Status() : 0;
}

bool ConnectionProxy::Connect(const char* server, int port)
{
    ConnectionRequest request {nullptr};
    host::Call(HC_CREATE_CONNECTION, host::Arg(&request), host::Arg(server), static_cast<HostArg>(port),
               host::Arg(static_cast<HostConnection*>(this)));
    connection_ = request.connection;
    if (!connection_) {
        OnEvent(CONNECTION_FAILED, 0, 0);
        return false;
    }
    connection_->Open();
    return true;
}

}  // namespace postroom
