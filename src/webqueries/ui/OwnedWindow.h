#pragma once

#include "core/MainWindow.h"

#include <QPointer>
#include <QWidget>

// A window of which one exists, owned by the main window: loaded on first
// use, shown modeless above the main window, brought forward when shown
// again, unloaded when it closes.
template <class Form>
class OwnedWindow
{
public:
    Form *get() const { return m_form.data(); }

    Form *load()
    {
        if (!m_form)
            m_form = new Form(dynamic_cast<QWidget *>(mainWindow()));
        return m_form;
    }

    Form *show()
    {
        Form *form = load();
        const bool wasShown = form->isVisible();
        form->show();
        if (wasShown) {
            form->raise();
            form->activateWindow();
        }
        return form;
    }

    void unload()
    {
        Form *form = m_form;
        if (!form)
            return;
        m_form.clear();
        form->hide();
        form->deleteLater();
    }

private:
    QPointer<Form> m_form;
};
