#pragma once

#include <QList>
#include <QString>
#include <QStringMatcher>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>
#include <utility>

// A list of replace-all steps (letter case significant) applied in order,
// each to what the steps before it left, as a chain of QString::replace
// calls would: left to right, occurrences not overlapping, a step's own
// output not searched again. Steps with an empty text to find are left out.
//
// Where that gives the same text, neighbouring steps are done in one pass:
// a run of steps joins one pass while no two of its search texts can
// overlap at different starts, no later step's search text can meet an
// earlier step's replacement, and no step but the run's last deletes (a
// deletion joins the texts on either side). Anything else starts a new
// pass, so a chain whose later step reads an earlier step's output (such
// as "TH" -> "td" before a search for "WIDtd") keeps its order.
class ReplaceChain
{
public:
    explicit ReplaceChain(const QList<std::pair<QString, QString>> &steps);

    QString apply(QString text) const;
    // The chain applied to text, appended to out.
    void appendTo(QString &out, QStringView text) const;
    // Whether every step keeps the length of what it finds; then the chain
    // can be applied to a part of a text where it stands.
    bool keepsLength() const;
    void applyInPlace(QChar *text, qsizetype length) const;
    // For a chain of one pass that keeps lengths (false otherwise, text
    // untouched): the chain applied to parts of text only, each on its own,
    // as if cut out. partEnd(text, at) gives the end of the part that holds
    // position at, -1 when none does. With inPlace the text is not copied
    // first: partEnd then reads it as changed before at, for a partEnd that
    // gives the same there (one that reads no letter a step finds or writes).
    bool applyWithin(QString &text, const std::function<qsizetype(QStringView text, qsizetype at)> &partEnd,
                     bool inPlace = false) const;

private:
    struct Pass
    {
        QList<int> steps;                 // in chain order
        std::array<bool, 256> first = {}; // Latin-1 first letters of the search texts
        bool wideFirst = false;           // a search text starts beyond Latin-1
        char16_t onlyFirst = 0;           // the one first letter of all search texts, if so
        bool sameLength = true;           // every replacement as long as its search text
        bool shrinking = true;            // no replacement longer than its search text
        std::optional<QStringMatcher> matcher; // the search of a one-step pass
    };

    // Where the pass's first step matches at or after from (the step
    // found there first in chain order); -1 when nowhere.
    qsizetype nextHit(const Pass &pass, QStringView text, qsizetype from, int *step) const;
    bool canJoin(const Pass &pass, int step) const;
    void runInPlace(const Pass &pass, QString &text) const;
    void runShrinking(const Pass &pass, QString &text) const;
    void runInto(const Pass &pass, QStringView text, QString &out) const;

    QList<std::pair<QString, QString>> m_steps;
    QList<Pass> m_passes;
};
