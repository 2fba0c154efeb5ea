// What the user sets once and finds again at the next run (QSettings):
// the observer's place, the visibility limits, the Great Red Spot, and the
// phenomena window's choices; and the dialog that edits the first three.
#pragma once

#include "observer.h"
#include "night_programme.h"

#include <QSettings>
#include <memory>

namespace settings {

// The settings store: the user's, or an INI file given by the tests.
std::unique_ptr<QSettings> open();
void setFile(const QString& iniPath);   // empty: the user's own store

struct Observer {
    zeno::Site site;
    bool siteSet = false;       // false: the default place (Paris), shown as such
    zeno::Visibility visibility;
    zeno::RedSpot redSpot;
};

Observer readObserver();
void writeObserver(const Observer& o);

} // namespace settings
