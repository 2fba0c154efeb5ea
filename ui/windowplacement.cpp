#include "windowplacement.h"

#include "settings.h"

#include <QEvent>
#include <QWidget>

namespace windowplacement {

namespace {

class Keeper : public QObject {
public:
    Keeper(QWidget* window, const QString& key) : QObject(window), window_(window), key_(key) {}

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == window_ && event->type() == QEvent::Hide && !window_->isMinimized())
            settings::open()->setValue(key_, window_->saveGeometry());
        return QObject::eventFilter(object, event);
    }

private:
    QWidget* window_;
    QString key_;
};

} // namespace

void track(QWidget* window, const QString& settingsKey)
{
    // restoreGeometry() checks the data and brings a window left on a screen
    // that is gone back onto one.
    const QByteArray saved = settings::open()->value(settingsKey).toByteArray();
    if (!saved.isEmpty())
        window->restoreGeometry(saved);
    window->installEventFilter(new Keeper(window, settingsKey));
}

} // namespace windowplacement
