// What the core tests share: French regional settings and the number of the
// runtime error a call raises.
#pragma once

#include "erreur.h"

#include <QLocale>
#include <functional>

namespace zeno::test {

inline const QLocale kFrench(QLocale::French, QLocale::France);

// The error number raised by f, or 0 when it returns normally.
inline int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ErreurExecution& e) {
        return e.numero();
    }
    return 0;
}

} // namespace zeno::test
