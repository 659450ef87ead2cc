#pragma once

#include "services/SmtpClient.h"

#include <QWidget>
#include <functional>

// The mail a window is sending while it waits for the server. Closing the
// window meanwhile ends the exchange at once (abort), and unloading it
// (release) deletes the window only once the send has returned to it, so
// the send never comes back into a window that is gone.
class MailInFlight
{
public:
    // Runs send with client as the exchange under way; its result.
    bool run(SmtpClient &client, const std::function<bool()> &send)
    {
        m_client = &client;
        const bool ok = send();
        m_client = nullptr;
        if (m_window)
            m_window->deleteLater();
        return ok;
    }
    void abort()
    {
        if (m_client)
            m_client->abort();
    }
    // Deletes window now, or when the send under way has returned.
    void release(QWidget *window)
    {
        if (m_client)
            m_window = window;
        else
            window->deleteLater();
    }
    bool busy() const { return m_client != nullptr; }
    // True once the window was unloaded during the send: touch nothing of it.
    bool released() const { return m_window != nullptr; }

private:
    SmtpClient *m_client = nullptr;
    QWidget *m_window = nullptr;
};
