#pragma once

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

// Most windows exist once: created (and loaded) on first use, shown
// modeless, and unloaded when closed. FormInstance holds that one window.
template <class Form>
class FormInstance
{
public:
    Form *get() const { return m_form.data(); }

    // Creates the window when it is not loaded (centred on the screen),
    // shows it, and brings a window that was already open to the front.
    Form *show()
    {
        load();
        const bool wasShown = m_form->isVisible();
        m_form->show();
        if (wasShown) {
            m_form->raise();
            m_form->activateWindow();
        }
        return m_form;
    }

    // Creates the window when it is not loaded (centred on the screen),
    // without showing it.
    Form *load()
    {
        if (!m_form) {
            m_form = new Form;
            centreOnScreen(m_form);
        }
        return m_form;
    }

    // Takes a window made elsewhere (with an owner, say) as the one window.
    void adopt(Form *form) { m_form = form; }

    // Hidden at once; the object goes when events run. Nothing when not loaded.
    void unload()
    {
        Form *form = m_form;
        if (!form)
            return;
        m_form.clear();
        form->hide();
        form->deleteLater();
    }

    static void centreOnScreen(QWidget *w)
    {
        if (QScreen *s = QGuiApplication::primaryScreen()) {
            QRect frame = w->frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            w->move(frame.topLeft());
        }
    }

private:
    QPointer<Form> m_form;
};
