#pragma once

#include <QtGlobal>

// A loopback port where nothing listens, for as long as the object lives:
// a socket holds it bound but never listens, so a connection is refused
// and no other program can take the port meanwhile (as it could between
// closing a probe and the test's connect).
class DeadPort
{
public:
    DeadPort();
    ~DeadPort();
    DeadPort(const DeadPort &) = delete;
    DeadPort &operator=(const DeadPort &) = delete;

    quint16 port() const { return m_port; }

private:
    int m_socket = -1;
    quint16 m_port = 0;
};
