#pragma once

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// The "Relax" effects on an 8-bit palette picture: a water ripple whose
// circular waves run out from the centre and shift each pixel sideways by
// up to 15 pixels, and one frame of bump lighting. Each frame is computed
// from an unchanged source copy into the shown destination, in place.
class ClsManip
{
public:
    ClsManip() = default;
    ~ClsManip() { *m_alive = false; }
    ClsManip(const ClsManip &) = delete;
    ClsManip &operator=(const ClsManip &) = delete;

    // The host and how the destination is shown after each frame.
    void IntCls(void *frm1, std::function<void(const QImage &)> show);
    // Loads the picture into destination and source, stores the frequency
    // as given, builds the distance table and marks the effect idle.
    void IntRipple(const QString &PicPath, float frq1);
    // Idle: runs the animation (a frame each timer tick, events served
    // between frames) and returns when stopped. Running: the stop request.
    void DoRipple(float Frq);
    void IntBump(const QString &PicPath);
    void DoBump();
    // "True" while idle, "False" while the animation runs.
    QString IsPlay() const { return m_idle ? QStringLiteral("True") : QStringLiteral("False"); }
    float Frq() const { return m_frequency; }

    // One ripple frame; false (and nothing drawn) when the picture is not
    // one plane of 8 bits per pixel.
    bool rippleFrame();
    short frameCount() const { return m_frameCount; }
    void setFrameCount(short n) { m_frameCount = n; }

    QImage destination;
    QImage source;
    int frameIntervalMs = 30;

private:
    bool eightBit() const;
    std::function<void(const QImage &)> m_show;
    // False once the object is gone: its window may be closed and deleted
    // while the animation's loop waits for the next frame.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_idle = false;
    float m_frequency = 0;
    short m_frameCount = 0;
    int m_centerX = 0, m_centerY = 0, m_waveMax = 0;
    int m_distCols = 0, m_distRows = 0;
    QVector<short> m_dist;  // m_distCols x m_distRows
    QVector<short> m_wave;  // 0 .. m_waveMax
    // Bump.
    int m_bumpCenterX = 0, m_bumpCenterY = 0, m_bumpMaxX = 0, m_bumpMaxY = 0;
    int m_lightX = 0, m_lightY = 0;
    QVector<uchar> m_lightMap; // 257 x 257
};
