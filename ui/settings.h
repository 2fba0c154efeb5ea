// What the user sets once and finds again at the next run (QSettings):
// the observer's place, the visibility limits, the Great Red Spot, and the
// phenomena window's choices; and the dialog that edits the first three.
#pragma once

#include "observer.h"
#include "night_programme.h"

#include <QSettings>
#include <QStringList>
#include <QTimeZone>
#include <memory>

namespace settings {

// The settings store: the user's, or an INI file given by the tests.
std::unique_ptr<QSettings> open();
void setFile(const QString& iniPath);   // empty: the user's own store

struct Observer {
    zeno::Site site;
    bool siteSet = false;       // false: the default place (Paris), shown as such
    QTimeZone timeZone = QTimeZone::systemTimeZone();   // the observer's clock, daylight saving included
    zeno::Visibility visibility;
    zeno::RedSpot redSpot;
};

// Every kept value read with a success and a range check: an unreadable one
// falls back to its default, and its name (in French) goes to *reset.
Observer readObserver(QStringList* reset = nullptr);
void writeObserver(const Observer& o);

} // namespace settings
