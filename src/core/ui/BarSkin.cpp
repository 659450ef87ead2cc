#include "core/ui/BarSkin.h"

#include "core/Registry.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/ResourcePictures.h"

#include <cmath>

QString SkinFace;
QString SkinPressed;
MemHdc SkinDC = 0;

static const SkinPair skinTable[] = {
    {"NeonBlue", "NeonBlueB"},         {"NeonGreen", "NeonGreenB"},     {"NeonRed", "NeonRedB"},
    {"GoldMetal", "GoldMetalB"},       {"GreenMetal", "GreenMetalB"},   {"GlassBlue", "GlassBlueB"},
    {"GlassGreen", "GlassGreenB"},     {"GlassRed", "GlassRedB"},       {"PlasticBlue", "PlasticBlueB"},
    {"PlasticGreen", "PlasticGreenB"}, {"PlasticViolet", "PlasticVioletB"},
};

SkinPair skinPair(int number)
{
    if (number < 0 || number > 10)
        return {"", ""};
    return skinTable[number];
}

void LoadBarSkin(const QList<PictureBox *> &img)
{
    Variant picBar = QuerySetting(QStringLiteral("PicBar"));
    // A value stored as "" reads like a missing one: the first skin.
    if (picBar.isString() && picBar.toString().trimmed().isEmpty())
        picBar = Variant();
    for (int i = 0; i <= 10; ++i) {
        if (picBar == i) {
            SkinFace = QString::fromLatin1(skinTable[i].face);
            SkinPressed = QString::fromLatin1(skinTable[i].pressed);
            break;
        }
    }
    // Anything else keeps the skin in use, or the glass one at start.
    if (SkinFace.isEmpty()) {
        SkinFace = QStringLiteral("GlassBlue");
        SkinPressed = QStringLiteral("GlassBlueb");
    }

    const QPixmap face = LoadResPicture(SkinFace);
    if (!face.isNull()) {
        for (PictureBox *box : img) {
            if (box)
                box->setPicture(face);
        }
    }

    if (!img.isEmpty() && img.first()) {
        const PictureBox *first = img.first();
        const double w = std::nearbyint(first->scaleWidth());
        const double h = std::nearbyint(first->scaleHeight());
        // Sizes beyond 16 bits cannot be asked for: the surface in use stays.
        if (w >= -32768 && w <= 32767 && h >= -32768 && h <= 32767)
            SkinDC = CreateMemHdc(short(w), short(h));
    }
    LoadBmpToHdc(SkinDC, SkinPressed);
}

void resetBarSkin()
{
    SkinFace.clear();
    SkinPressed.clear();
    SkinDC = 0;
}
