// The yardstick of the launch time: the barest Qt Widgets program, a QLabel,
// which ends once painted as Zenolune does under ZENOLUNE_EXIT_WHEN_SHOWN.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {
class EndWhenPainted : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QObject::eventFilter(object, event);
    }
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Zenolune"));
    label.installEventFilter(new EndWhenPainted(&app));
    label.show();
    return app.exec();
}
