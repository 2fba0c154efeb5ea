#include "recording_timing_dialog.h"

#include "erreur.h"
#include "regional.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace {

constexpr double kMaxFps = 100000;   // beyond any camera

} // namespace

std::optional<zeno::RecordingTiming> readRecordingTiming(const QString& start, const QString& fps, const QLocale& locale,
                                                          QString* error)
{
    const QString debut = start.trimmed();
    std::optional<double> ut;
    static const QRegularExpression isoForm(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}[T ]"));
    QString isoText = debut.endsWith(u'Z') ? debut.chopped(1) : debut;
    if (isoText.size() > 10)
        isoText[10] = u'T';
    const QDateTime iso = QDateTime::fromString(isoText, Qt::ISODateWithMs);
    if (iso.isValid() && isoForm.match(debut).hasMatch()) {
        QDateTime u = iso;
        u.setTimeSpec(Qt::UTC);
        ut = double(u.toMSecsSinceEpoch()) / 1000;
    } else {
        // The locale's form; a fraction of a second after the seconds is read apart.
        static const QRegularExpression fraction(QStringLiteral("^(.*\\d:\\d{1,2}:\\d{1,2})[.,](\\d{1,6})$"));
        const QRegularExpressionMatch m = fraction.match(debut);
        double part = 0;
        QString sansFraction = debut;
        if (m.hasMatch()) {
            sansFraction = m.captured(1);
            const QByteArray chiffres = QByteArrayLiteral("0.") + m.captured(2).toLatin1();
            std::from_chars(chiffres.constData(), chiffres.constData() + chiffres.size(), part);
        }
        try {
            ut = double(zeno::readDateTime(sansFraction, locale).toSecsSinceEpoch()) + part;
        } catch (const zeno::ErreurExecution&) {
        }
    }
    if (!ut) {
        *error = DialogueHoraire::tr("Heure illisible « %1 » : une date et une heure TU comme %2 ou 2026-12-31T21:40:03.52 — champ "
                    "« Première image (TU) »")
                     .arg(start, zeno::dateTimeText(QDateTime(QDate(2026, 12, 31), QTime(21, 40, 3), Qt::UTC), locale) +
                                     locale.decimalPoint() + QStringLiteral("52"));
        return std::nullopt;
    }
    std::optional<double> cadence;
    for (const QLocale& l : {locale, QLocale::c()}) {
        try {
            cadence = zeno::readNumber(fps, l);
            break;
        } catch (const zeno::ErreurExecution&) {
        }
    }
    if (!cadence || !(*cadence > 0) || *cadence > kMaxFps) {
        *error = DialogueHoraire::tr("Cadence illisible « %1 » : un nombre d'images par seconde plus grand que 0, par exemple %2 — "
                    "champ « Images par seconde »")
                     .arg(fps, locale.toString(29.97, 'f', 2));
        return std::nullopt;
    }
    return zeno::RecordingTiming{ut, cadence};
}

DialogueHoraire::DialogueHoraire(const zeno::RecordingInfo& info, double startUt, double fps, const QLocale& locale,
                                 QWidget* parent)
    : QDialog(parent), locale_(locale)
{
    setObjectName(QStringLiteral("DialogueHoraire"));
    setWindowTitle(tr("Heure de l'enregistrement"));
    auto* explication = new QLabel(tr("« %1 » ne donne pas l'heure de ses images (%2). Donnez l'heure TU de la "
                                      "première image et la cadence.")
                                       .arg(QFileInfo(info.path).fileName(), info.description),
                                   this);
    explication->setWordWrap(true);
    TextDebut = new QLineEdit(zeno::dateTimeText(QDateTime::fromSecsSinceEpoch(std::llround(startUt), Qt::UTC), locale), this);
    TextDebut->setObjectName(QStringLiteral("TextDebut"));
    TextDebut->setToolTip(tr("Date et heure TU de la première image, par exemple 31/12/2026 21:40:03,52 ou "
                             "2026-12-31T21:40:03.52"));
    TextCadence = new QLineEdit(locale.toString(fps, 'g', 6), this);
    TextCadence->setObjectName(QStringLiteral("TextCadence"));
    Erreur = new QLabel(this);
    Erreur->setObjectName(QStringLiteral("Erreur"));
    Erreur->setWordWrap(true);
    Erreur->setStyleSheet(QStringLiteral("color: #b00000"));
    auto* champs = new QFormLayout;
    champs->addRow(tr("Première image (TU) :"), TextDebut);
    champs->addRow(tr("Images par seconde :"), TextCadence);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("CommandOk"));
    auto* pile = new QVBoxLayout(this);
    pile->addWidget(explication);
    pile->addLayout(champs);
    pile->addWidget(Erreur);
    pile->addWidget(boutons);
    connect(boutons, &QDialogButtonBox::accepted, this, &DialogueHoraire::CommandOk_Click);
    connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(460, sizeHint().height());
}

void DialogueHoraire::CommandOk_Click()
{
    QString faute;
    const auto h = readRecordingTiming(TextDebut->text(), TextCadence->text(), locale_, &faute);
    if (!h) {
        Erreur->setText(faute);
        return;
    }
    resultat_ = *h;
    accept();
}
