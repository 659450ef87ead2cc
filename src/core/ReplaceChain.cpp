#include "core/ReplaceChain.h"

#include <algorithm>

namespace {

// Can a and b both occur with b starting inside a, after a's first letter
// (b then overlaps a's end or lies within it)?
bool startsInside(QStringView a, QStringView b)
{
    for (qsizetype d = 1; d < a.size(); ++d) {
        const qsizetype length = qMin(a.size() - d, b.size());
        if (a.sliced(d, length) == b.first(length))
            return true;
    }
    return false;
}

// Can text found by `find` share a letter with `output` written in the text
// (find placed anywhere over it, every shared letter equal)?
bool meets(QStringView find, QStringView output)
{
    for (qsizetype d = 1 - find.size(); d < output.size(); ++d) {
        const qsizetype from = qMax<qsizetype>(0, d);
        const qsizetype to = qMin(output.size(), d + find.size());
        if (from < to && output.sliced(from, to - from) == find.sliced(from - d, to - from))
            return true;
    }
    return false;
}

} // namespace

ReplaceChain::ReplaceChain(const QList<std::pair<QString, QString>> &steps)
{
    for (const auto &step : steps)
        if (!step.first.isEmpty())
            m_steps << step;
    for (int s = 0; s < m_steps.size(); ++s) {
        if (m_passes.isEmpty() || !canJoin(m_passes.last(), s))
            m_passes << Pass();
        Pass &pass = m_passes.last();
        pass.steps << s;
        const char16_t first = m_steps[s].first.at(0).unicode();
        if (first < 256)
            pass.first[first] = true;
        else
            pass.wideFirst = true;
        pass.onlyFirst = pass.steps.size() == 1 || pass.onlyFirst == first ? first : 0;
        pass.sameLength = pass.sameLength && m_steps[s].first.size() == m_steps[s].second.size();
        pass.shrinking = pass.shrinking && m_steps[s].first.size() >= m_steps[s].second.size();
    }
    for (Pass &pass : m_passes)
        if (pass.steps.size() == 1)
            pass.matcher.emplace(m_steps[pass.steps.first()].first, Qt::CaseSensitive);
}

bool ReplaceChain::canJoin(const Pass &pass, int step) const
{
    const QString &find = m_steps[step].first;
    for (int m : pass.steps) {
        const auto &[mFind, mOutput] = m_steps[m];
        if (mOutput.isEmpty() || startsInside(mFind, find) || startsInside(find, mFind) || meets(find, mOutput))
            return false;
    }
    return true;
}

qsizetype ReplaceChain::nextHit(const Pass &pass, QStringView text, qsizetype from, int *step) const
{
    if (pass.matcher) {
        *step = pass.steps.first();
        return from > text.size() ? -1 : pass.matcher->indexIn(text, from);
    }
    const char16_t *t = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = from; i < n; ++i) {
        if (pass.onlyFirst && n - i > 32)
            i = text.indexOf(QChar(pass.onlyFirst), i);
        if (i < 0)
            return -1;
        const char16_t c = t[i];
        if (c < 256 ? !pass.first[c] : !pass.wideFirst)
            continue;
        for (int s : pass.steps) {
            const QString &find = m_steps[s].first;
            const qsizetype length = find.size();
            const char16_t *f = QStringView(find).utf16();
            if (length > n - i || c != f[0])
                continue;
            qsizetype k = 1;
            while (k < length && t[i + k] == f[k])
                ++k;
            if (k == length) {
                *step = s;
                return i;
            }
        }
    }
    return -1;
}

void ReplaceChain::runInPlace(const Pass &pass, QString &text) const
{
    int step = 0;
    qsizetype at = nextHit(pass, text, 0, &step);
    if (at < 0)
        return;
    QChar *data = text.data();
    while (at >= 0) {
        const QString &output = m_steps[step].second;
        std::copy(output.cbegin(), output.cend(), data + at);
        at = nextHit(pass, text, at + output.size(), &step);
    }
}

void ReplaceChain::runShrinking(const Pass &pass, QString &text) const
{
    // Written over the text itself: what is written never passes what is read.
    int step = 0;
    qsizetype at = nextHit(pass, text, 0, &step);
    if (at < 0)
        return;
    QChar *data = text.data();
    qsizetype written = at, read = at;
    while (at >= 0) {
        std::copy(data + read, data + at, data + written);
        written += at - read;
        const QString &output = m_steps[step].second;
        std::copy(output.cbegin(), output.cend(), data + written);
        written += output.size();
        read = at + m_steps[step].first.size();
        at = nextHit(pass, text, read, &step);
    }
    std::copy(data + read, data + text.size(), data + written);
    text.truncate(written + (text.size() - read));
}

void ReplaceChain::runInto(const Pass &pass, QStringView text, QString &out) const
{
    qsizetype copied = 0;
    int step = 0;
    for (qsizetype at = nextHit(pass, text, 0, &step); at >= 0; at = nextHit(pass, text, copied, &step)) {
        out.append(text.sliced(copied, at - copied)).append(m_steps[step].second);
        copied = at + m_steps[step].first.size();
    }
    out.append(text.sliced(copied));
}

QString ReplaceChain::apply(QString text) const
{
    for (const Pass &pass : m_passes) {
        if (pass.sameLength) {
            runInPlace(pass, text);
            continue;
        }
        if (pass.shrinking) {
            runShrinking(pass, text);
            continue;
        }
        int step = 0;
        if (nextHit(pass, text, 0, &step) < 0)
            continue;
        QString out;
        out.reserve(text.size() + text.size() / 8);
        runInto(pass, text, out);
        text = std::move(out);
    }
    return text;
}

bool ReplaceChain::keepsLength() const
{
    return std::all_of(m_passes.cbegin(), m_passes.cend(), [](const Pass &pass) { return pass.sameLength; });
}

void ReplaceChain::applyInPlace(QChar *text, qsizetype length) const
{
    const QStringView view(text, length);
    for (const Pass &pass : m_passes) {
        int step = 0;
        for (qsizetype at = nextHit(pass, view, 0, &step); at >= 0; at = nextHit(pass, view, at + m_steps[step].first.size(), &step))
            std::copy(m_steps[step].second.cbegin(), m_steps[step].second.cend(), text + at);
    }
}

bool ReplaceChain::applyWithin(QString &text,
                               const std::function<qsizetype(QStringView text, qsizetype at)> &partEnd,
                               bool inPlace) const
{
    if (m_passes.size() != 1 || !m_passes.first().sameLength)
        return false;
    const Pass &pass = m_passes.first();
    // The parts and hits read from the text as it came, the changes written
    // to its copy; in place, a hit is read before anything at or after it
    // is written.
    const QString original = inPlace ? QString() : text;
    QChar *data = inPlace && !text.isEmpty() ? text.data() : nullptr;
    const QString &read = inPlace ? text : original;
    const char16_t *t = QStringView(read).utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (pass.onlyFirst) {
            // A letter found often is looked for by hand a short way first.
            const qsizetype near = qMin(n, i + 32);
            while (i < near && t[i] != pass.onlyFirst)
                ++i;
            if (i == near && (i >= n || (i = QStringView(read).indexOf(QChar(pass.onlyFirst), i)) < 0))
                break;
        }
        const char16_t c = t[i];
        if (c < 256 ? !pass.first[c] : !pass.wideFirst)
            continue;
        const qsizetype end = partEnd(read, i);
        if (end < 0)
            continue;
        for (int s : pass.steps) {
            const auto &[find, output] = m_steps[s];
            const char16_t *f = QStringView(find).utf16();
            const qsizetype length = find.size();
            if (length > end - i || c != f[0])
                continue;
            qsizetype k = 1;
            while (k < length && t[i + k] == f[k])
                ++k;
            if (k < length)
                continue;
            if (!data)
                data = text.data();
            std::copy(output.cbegin(), output.cend(), data + i);
            i += length - 1;
            break;
        }
    }
    return true;
}

void ReplaceChain::appendTo(QString &out, QStringView text) const
{
    if (m_passes.size() == 1)
        runInto(m_passes.first(), text, out);
    else if (m_passes.isEmpty())
        out.append(text);
    else
        out.append(apply(text.toString()));
}
