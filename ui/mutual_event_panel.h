// What the phenomena window shows of the mutual event selected in its
// table: the details, the predicted light curve, the two discs at the
// maximum, and their export as PNG, SVG and (the curve) CSV.
#pragma once

#include "mutual_events.h"

#include <QLocale>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class LightCurveView;
class MutualDiscsView;

class QLabel;

// The details' label of a panel under the phenomena table: rich text,
// wrapped, selectable, named "LabelDetails".
QLabel* panelDetailsLabel(QWidget* parent);
// A panel's layout: the curve, the drawing, then the details over the two
// export buttons.
void layOutPanel(QWidget* panel, QWidget* curve, QWidget* drawing, QLabel* details, QPushButton* curveButton,
                 QPushButton* drawingButton);

class MutualEventPanel : public QWidget {
    Q_OBJECT
public:
    explicit MutualEventPanel(const QLocale& locale, QWidget* parent = nullptr);

    // Where messages go: a message box by default.
    std::function<void(const QString&)> message;
    // Where an export writes (title, suggested name, filters): a file dialog by default.
    std::function<QString(const QString&, const QString&, const QString&)> choixFichier;
    // The main window's flips: the discs are drawn as its picture is.
    void setFlips(bool eastWest, bool northSouth);

    // The place's altitudes at the maximum, when known.
    struct AtPlace {
        double jupiterAltDeg = 0, sunAltDeg = 0;
        bool observable = false;
    };
    void setEvent(const zeno::MutualEvent& event, std::optional<AtPlace> place);
    const zeno::MutualEvent& event() const { return event_; }
    const std::vector<zeno::LightPoint>& curve() const;

    // By the name's suffix: .png, .svg or (the curve) .csv. False and a message on failure.
    bool exportCurve(const QString& path);
    bool exportDiscs(const QString& path);

public slots:
    void CommandCourbe_Click();
    void CommandDessin_Click();

private:
    bool said(const QString& fault);   // true when empty, else the message shown
    QString suggestedName(const QString& what) const;

    QLocale locale_;
    zeno::MutualEvent event_;
    QLabel* LabelDetails;
    LightCurveView* Courbe;
    MutualDiscsView* Disques;
    QPushButton* CommandCourbe;
    QPushButton* CommandDessin;
};
