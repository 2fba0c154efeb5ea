#include "vocabulary.h"

#include <QCoreApplication>
#include <iterator>

namespace zeno {

namespace {

constexpr char kContext[] = "Phenomene";

// In RowWord's order.
const char* const kWords[] = {
    QT_TRANSLATE_NOOP("Phenomene", "Eclipsé"),   QT_TRANSLATE_NOOP("Phenomene", "Ombre"),
    QT_TRANSLATE_NOOP("Phenomene", "Occulté"),   QT_TRANSLATE_NOOP("Phenomene", "Passage"),
    QT_TRANSLATE_NOOP("Phenomene", "Tache Rouge"), QT_TRANSLATE_NOOP("Phenomene", "début"),
    QT_TRANSLATE_NOOP("Phenomene", "fin"),       QT_TRANSLATE_NOOP("Phenomene", "passage"),
    QT_TRANSLATE_NOOP("Phenomene", "totale"),    QT_TRANSLATE_NOOP("Phenomene", "annulaire"),
    QT_TRANSLATE_NOOP("Phenomene", "partielle"), QT_TRANSLATE_NOOP("Phenomene", "pénombrale"),
};
static_assert(std::size(kWords) == std::size_t(RowWord::Penumbral) + 1);

} // namespace

QString rowWord(RowWord w) { return QString::fromUtf8(kWords[int(w)]); }

QStringList rowWords()
{
    QStringList all;
    for (const char* w : kWords)
        all << QString::fromUtf8(w);
    return all;
}

QString shownWord(const QString& word)
{
    if (word.isEmpty() || word == u" ")
        return word;
    return QCoreApplication::translate(kContext, word.toUtf8().constData());
}

} // namespace zeno
