// The yardstick of the launch time: the barest Qt Widgets program, a QLabel,
// which prints the instant it is first painted and ends, as Zenolune does
// under ZENOLUNE_EXIT_WHEN_SHOWN.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {
class EndWhenPainted : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // The wall clock in microseconds, for the launcher to subtract its own.
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(object, event);
    }

private:
    bool painted_ = false;
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
