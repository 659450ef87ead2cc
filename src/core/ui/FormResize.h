#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// Keeps a window's controls in proportion when the window is resized. It
// records, once, the window's inner size and each control's position and
// size (twips); every later ScaleControls sets each control to its recorded
// measures times the ratio of the new inner size to the recorded one, so
// rounding never builds up.
//
// A control's "Tag" property picks the measures that follow the window: a
// tag beginning with "@" names them by the letters T (top), H (height),
// L (left) and W (width) anywhere after it, in either case ("@" alone
// freezes the control); an empty tag, or one not beginning with "@", means
// all four. A line control (one with X1, Y1, X2, Y2 properties) follows by
// its end points: T moves Y1, H Y2, L X1, W X2.
//
// Controls are the form's child widgets, and the children of frames and
// picture boxes, in creation order. Only frames, picture boxes, grids, tree
// views, labels, text boxes, command buttons, list boxes and combo boxes
// (and lines) are moved; other kinds (check and option buttons, progress
// bars, sliders...) are recorded but stay where they are. A widget may name
// its kind in a "ControlType" property ("PictureBox", "Frame", "Line"...).
//
// The window creates one, sets SourceForm when it loads and calls
// ScaleControls from its resize handler; the first call only records.
class clsFormResize
{
public:
    QWidget *SourceForm() const { return m_form; }
    void setSourceForm(QWidget *form);

    void ScaleControls();
    // The window's outer size = percent of the screen's, in whole twips.
    void SizeFormToScreen(short percent);
    // Makes the window's present layout the new base.
    void ReInitialize();

    // The kind a widget counts as ("TextBox", "Label", "MSFlexGrid", ...).
    static QString controlTypeName(const QWidget *control);

private:
    struct ControlGeometry
    {
        QPointer<QWidget> control;
        bool isLine = false;
        bool lossLogged = false; // the control is gone and the log says so
        qint32 first = 0;  // Left, or X1 of a line
        qint32 second = 0; // Top, or Y1
        qint32 third = 0;  // Width, or X2
        qint32 fourth = 0; // Height, or Y2
    };

    void RecordGeometry();
    void RecordFormSize();
    void RecordControls();
    void collectControls(QWidget *container, QList<QWidget *> &controls) const;

    QPointer<QWidget> m_form;
    qint32 BaseWidth = 0;
    qint32 BaseHeight = 0;
    QList<ControlGeometry> ControlTable;
    bool NeedsRecord = true;
};
