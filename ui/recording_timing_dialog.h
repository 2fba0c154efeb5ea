// A recording without a clock (most videos): the observer gives the UT of
// its first frame and its frame rate, checked before the dialog closes.
#pragma once

#include "recording_reader.h"

#include <QDialog>
#include <QLocale>

#include <optional>

class QLabel;
class QLineEdit;

// The start read in the locale's date form or ISO 8601, seconds with an
// optional fraction; the rate in frames per second, a decimal point or the
// locale's separator. nullopt with *error (naming the field and the form
// expected) on anything else.
std::optional<zeno::RecordingTiming> readRecordingTiming(const QString& start, const QString& fps,
                                                          const QLocale& locale, QString* error);

class DialogueHoraire : public QDialog {
    Q_OBJECT
public:
    // startUt: the UT the start field shows first (seconds since 1970).
    DialogueHoraire(const zeno::RecordingInfo& info, double startUt, double fps, const QLocale& locale,
                    QWidget* parent = nullptr);
    const zeno::RecordingTiming& resultat() const { return resultat_; }

public slots:
    void CommandOk_Click();

private:
    QLocale locale_;
    zeno::RecordingTiming resultat_;
    QLineEdit* TextDebut;
    QLineEdit* TextCadence;
    QLabel* Erreur;
};
