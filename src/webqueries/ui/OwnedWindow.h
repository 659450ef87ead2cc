#pragma once

#include "core/MainWindow.h"
#include "platform/ui/FormInstance.h"

#include <QWidget>

// A window of which one exists, owned by the main window: loaded on first
// use, shown modeless above the main window, brought forward when shown
// again, unloaded when it closes.
template <class Form>
class OwnedWindow : public FormInstance<Form>
{
public:
    Form *load()
    {
        if (!this->get())
            this->adopt(new Form(dynamic_cast<QWidget *>(mainWindow())));
        return this->get();
    }

    Form *show()
    {
        load();
        return FormInstance<Form>::show();
    }
};
