#include "services/Ripple.h"

#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// The picture as one 8-bit plane. Formats such as GIF load as 32-bit
// pictures whatever their palette; one of at most 256 colours is turned
// back into its palette form, any other stays as it is (and is refused).
QImage loadPicture(const QString &path)
{
    QImage image(path);
    if (image.isNull() || image.format() == QImage::Format_Indexed8)
        return image;
    QSet<QRgb> colours;
    for (int r = 0; r < image.height() && colours.size() <= 256; ++r)
        for (int c = 0; c < image.width() && colours.size() <= 256; ++c)
            colours.insert(image.pixel(c, r));
    if (colours.size() > 256)
        return image;
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}
} // namespace

void ClsManip::IntCls(void *, std::function<void(const QImage &)> show)
{
    m_show = std::move(show);
}

bool ClsManip::eightBit() const
{
    return destination.format() == QImage::Format_Indexed8 && source.format() == QImage::Format_Indexed8;
}

void ClsManip::IntRipple(const QString &PicPath, float frq1)
{
    m_frequency = frq1;
    destination = loadPicture(PicPath);
    source = destination.copy();
    const int W = destination.width(), H = destination.height();
    m_centerY = roundEven(H) / 2 + 1;
    m_centerX = roundEven(W) / 2 + 1;
    // Every offset the frame looks up lies in the table: up to the farther
    // edge of the stored row, padding included.
    const int bpl = destination.isNull() ? 0 : int(destination.bytesPerLine());
    m_distCols = std::max(m_centerX, bpl - 1 - m_centerX) + 1;
    m_distRows = std::max(m_centerY, H - 1 - m_centerY) + 1;
    m_dist = QVector<short>(m_distCols * m_distRows);
    for (int j = 0; j < m_distRows; ++j)
        for (int i = 0; i < m_distCols; ++i)
            m_dist[j * m_distCols + i] = short(roundEven(std::sqrt(double(j) * j + double(i) * i)));
    m_waveMax = roundEven(std::sqrt(double(m_distCols) * m_distCols + double(m_distRows) * m_distRows) + 2);
    m_wave = QVector<short>(m_waveMax + 1, 0);
    m_idle = true;
}

bool ClsManip::rippleFrame()
{
    // The counter wraps round instead of overflowing: the waves go on.
    m_frameCount = m_frameCount == SHRT_MAX ? SHRT_MIN : short(m_frameCount + 1);
    for (int i = 0; i <= m_waveMax; ++i)
        m_wave[i] = short(roundEven(15 * std::sin(double(float(i - m_frameCount)) * double(m_frequency))));
    if (!eightBit())
        return false;
    const int bpl = int(destination.bytesPerLine());
    const int srcBpl = int(source.bytesPerLine());
    const int rows = std::min(destination.height(), source.height());
    // Each column's shift, by its distance from the centre, for one row at
    // a time: the distance table keeps every lookup inside the picture.
    const int lastCol = m_distCols - 1;
    QVector<short> rowShift(bpl);
    const short *wave = m_wave.constData();
    for (int r = 0; r < rows; ++r) {
        const int dr = std::min(std::abs(r - m_centerY), m_distRows - 1);
        const short *dist = m_dist.constData() + dr * m_distCols;
        short *shift = rowShift.data();
        for (int c = 0; c < bpl; ++c) {
            const int dc = c < m_centerX ? m_centerX - c : c - m_centerX;
            const int d = dist[dc < lastCol ? dc : lastCol];
            shift[c] = wave[d < m_waveMax ? d : m_waveMax];
        }
        uchar *to = destination.scanLine(r);
        const uchar *from = source.constScanLine(r);
        const int last = srcBpl - 1;
        for (int c = 0; c < bpl; ++c) {
            int s = c - shift[c];
            if (s < 0)
                s = -s; // mirrored at the left edge
            if (s > last)
                s = 2 * last - s; // and at the right edge
            to[c] = from[s < 0 ? 0 : (s > last ? last : s)];
        }
    }
    return true;
}

void ClsManip::DoRipple(float Frq)
{
    m_frequency = std::clamp(Frq, 0.01f, 1.0f);
    if (!m_idle) {
        m_idle = true; // the stop request: the running loop ends after its frame
        return;
    }
    m_idle = false;
    QTimer pace;
    pace.setSingleShot(true);
    for (;;) {
        if (!rippleFrame()) {
            MsgBox(QStringLiteral(" 256-color bitmaps only"), Msg::OKOnly + Msg::Critical);
            m_idle = true;
            return;
        }
        if (m_show)
            m_show(destination);
        // The next frame when the timer says; everything else runs meanwhile.
        QEventLoop wait;
        QObject::connect(&pace, &QTimer::timeout, &wait, &QEventLoop::quit);
        pace.start(frameIntervalMs);
        const std::shared_ptr<bool> alive = m_alive;
        wait.exec();
        if (!*alive || m_idle)
            return;
    }
}

void ClsManip::IntBump(const QString &PicPath)
{
    destination = loadPicture(PicPath);
    source = destination.copy();
    m_bumpCenterY = roundEven(destination.height() / 2.0);
    m_bumpCenterX = roundEven(destination.width() / 2.0);
    m_bumpMaxX = source.width() - 2;
    m_bumpMaxY = source.height() - 2;
    m_lightMap = QVector<uchar>(257 * 257, 0);
    for (int i = 0; i <= 255; ++i)
        for (int j = 0; j <= 255; ++j) {
            const int v = roundEven(255 - 1.8 * std::sqrt(double(j - 128) * (j - 128) + double(i - 128) * (i - 128)));
            m_lightMap[i * 257 + j] = uchar(std::max(v, 0));
        }
}

void ClsManip::DoBump()
{
    if (!eightBit()) {
        MsgBox(QStringLiteral(" 256-color bitmaps only"), Msg::OKOnly + Msg::Critical);
        return;
    }
    const int maxX = std::min(m_bumpMaxX, destination.width() - 2);
    const int maxY = std::min(m_bumpMaxY, std::min(destination.height(), source.height()) - 2);
    for (int c = 1; c <= maxX; ++c) {
        for (int r = 1; r <= maxY; ++r) {
            const uchar *above = source.constScanLine(r - 1);
            const uchar *here = source.constScanLine(r);
            const uchar *below = source.constScanLine(r + 1);
            const int nx = int(here[c - 1]) - int(here[c + 1]) + (15 - m_lightX + (c - 1)) + m_bumpCenterX;
            const int ny = int(above[c]) - int(below[c]) + (m_lightY - 274 + (r - 1)) + m_bumpCenterY;
            destination.scanLine(r)[c] = nx >= 0 && nx <= 255 && ny >= 0 && ny <= 255 ? m_lightMap[nx * 257 + ny] : 0;
        }
    }
}
