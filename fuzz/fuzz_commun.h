// What the fuzz targets share: the locales they read in, the decoding
// of the input bytes into text, and the one rule of every target — a call
// ends in a value or in the program's runtime error, anything else aborts.
#pragma once

#include "erreur.h"

#include <QLocale>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace fuzz {

[[noreturn]] inline void echec(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "zenolune fuzz: %s [%s]\n", what, detail.toUtf8().constData());
    std::abort();
}

// The numbers the program raises: 5, 6, 11, 13.
inline int numeroAttendu(const zeno::ErreurExecution& e)
{
    switch (e.numero()) {
    case zeno::ErreurExecution::ArgumentIncorrect:
    case zeno::ErreurExecution::Depassement:
    case zeno::ErreurExecution::DivisionParZero:
    case zeno::ErreurExecution::Incompatibilite:
        return e.numero();
    }
    echec("runtime error of an unknown number", QString::number(e.numero()));
}

// Runs f; a runtime error of a known number is an answer, anything else a crash.
// Returns the error number, 0 when f returned.
template <class F>
int garde(F&& f)
{
    try {
        f();
    } catch (const zeno::ErreurExecution& e) {
        return numeroAttendu(e);
    } catch (const std::exception& e) {
        echec("foreign exception", QString::fromLocal8Bit(e.what()));
    } catch (...) {
        echec("unknown exception");
    }
    return 0;
}

// Regional settings with other orders and separators: French first (the
// program's own), day-month-year with dots, month first, year first, a dot
// between hours, right-to-left marks, a minus sign U+2212, Persian digits' locale.
inline const QLocale& locale(unsigned index)
{
    static const QLocale table[8] = {
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Japanese, QLocale::Japan),
        QLocale(QLocale::Finnish, QLocale::Finland),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::Persian, QLocale::Iran),
    };
    return table[index % 8];
}

// The bytes as UTF-8 (invalid sequences become U+FFFD) or as raw UTF-16
// code units, unpaired surrogates included.
inline QString texte(const std::uint8_t* data, std::size_t size, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString s(qsizetype(size / 2), Qt::Uninitialized);
    if (size >= 2)
        std::memcpy(s.data(), data, (size / 2) * 2);
    return s;
}

} // namespace fuzz
