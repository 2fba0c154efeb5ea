#include "windowplacement.h"

#include "settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace windowplacement {

namespace {

class Keeper : public QObject {
public:
    Keeper(QWidget* window, const QString& key) : QObject(window), window_(window), key_(key) {}

    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == window_ && event->type() == QEvent::Show)
            keepOnScreen(window_);   // the layout may have grown it since
        if (object == window_ && event->type() == QEvent::Hide && !window_->isMinimized())
            settings::open()->setValue(key_, window_->saveGeometry());
        return QObject::eventFilter(object, event);
    }

private:
    QWidget* window_;
    QString key_;
};

} // namespace

void keepOnScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::screenAt(window->geometry().center());
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // The frame's share, known once the window is shown.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    QRect g = window->geometry();
    g.setWidth(std::min(g.width(), std::max(room.width() - frame.width(), window->minimumWidth())));
    g.setHeight(std::min(g.height(), std::max(room.height() - frame.height(), window->minimumHeight())));
    g.moveLeft(std::clamp(g.left(), room.left(), std::max(room.left(), room.right() - frame.width() - g.width() + 1)));
    g.moveTop(std::clamp(g.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() - g.height() + 1)));
    if (g != window->geometry())
        window->setGeometry(g);
}

void track(QWidget* window, const QString& settingsKey)
{
    const QByteArray saved = settings::open()->value(settingsKey).toByteArray();
    if (!saved.isEmpty())
        window->restoreGeometry(saved);
    // A geometry saved on a larger screen, or grown by a damaged note, fits again.
    keepOnScreen(window);
    window->installEventFilter(new Keeper(window, settingsKey));
}

} // namespace windowplacement
