#pragma once

#include "core/ui/BitBltModule.h"

#include <QList>
#include <QString>

class PictureBox;

// The bar skin behind the recommendation gauges, chosen by "PicBar" (0 to
// 10): the face picture in every gauge box, and the pressed picture on a
// memory surface whose top-left 8 x 10 pixels are the gauge marker.
extern QString SkinFace;
extern QString SkinPressed;
extern MemHdc SkinDC;

// The face and pressed picture names of skin 0..10 (empty pair outside).
struct SkinPair
{
    const char *face;
    const char *pressed;
};
SkinPair skinPair(int number);

// Reads "PicBar", puts the face into each box of img and the pressed
// picture on a new surface, SkinDC, sized as img(0).
void LoadBarSkin(const QList<PictureBox *> &img);

// No skin chosen (for tests).
void resetBarSkin();
