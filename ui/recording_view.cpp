#include "recording_view.h"

#include "light_curve_fit.h"
#include "plot_axes.h"
#include "scene_frame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QColor kPairColour(255, 170, 40);
const QColor kComparisonColour(70, 200, 255);
const QColor kNameColour(140, 255, 140);
const QColor kJupiterColour(255, 120, 120);
constexpr double kDisplayGamma = 0.4;   // lifts the faint satellites beside Jupiter's glare
constexpr double kLegendRoom = 0.3;     // of the raw fluxes' span, left free above them for the legend

// The frame as shown: frameImage's stretch, then the gamma.
QImage displayImage(const zeno::Frame& frame)
{
    QImage im = zeno::frameImage(frame);
    uchar lut[256];
    for (int v = 0; v < 256; ++v)
        lut[v] = uchar(std::lround(255 * std::pow(v / 255.0, kDisplayGamma)));
    for (int y = 0; y < im.height(); ++y) {
        uchar* line = im.scanLine(y);
        for (int x = 0; x < im.bytesPerLine(); ++x)
            line[x] = lut[line[x]];
    }
    return im;
}

// The kept frame nearest to `frame` (the measurement's frames are in recording order); null when none.
const zeno::FrameMeasurement* nearestKept(const zeno::CurveMeasurement* m, int frame)
{
    if (!m || m->frames.empty())
        return nullptr;
    const auto& f = m->frames;
    auto it = std::lower_bound(f.begin(), f.end(), frame, [](const zeno::FrameMeasurement& a, int i) { return a.frame < i; });
    if (it == f.end() || (it != f.begin() && frame - std::prev(it)->frame < it->frame - frame))
        --it;
    return &*it;
}

QString pairName(const zeno::CurveMeasurement& m)
{
    return QStringLiteral("%1 + %2").arg(zeno::satelliteDisplayName(m.first), zeno::satelliteDisplayName(m.second));
}

// The lower curve: the relative flux, or an approximation's distance between the pair's centroids (pixels).
double lowerValue(const zeno::CurveMeasurement& m, const zeno::FrameMeasurement& f)
{
    return m.approximation ? std::hypot(f.satelliteX[m.second] - f.satelliteX[m.first], f.satelliteY[m.second] - f.satelliteY[m.first])
                           : f.relativeFlux;
}

// Text legible on any part of a frame: dark outline, light letters.
void outlinedText(QPainter& p, QPointF at, const QString& text, const QColor& colour)
{
    p.setPen(QPen(QColor(0, 0, 0, 200), 3));
    for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
        p.drawText(at + d, text);
    p.setPen(colour);
    p.drawText(at, text);
}

} // namespace

// The frame scaled to the widget, the measurement drawn over it.
class RecordingFrameView : public QWidget {
public:
    explicit RecordingFrameView(QWidget* parent) : QWidget(parent)
    {
        setMinimumSize(320, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return {520, 390}; }

    QImage image;
    int frame = -1;
    const zeno::CurveMeasurement* measurement = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        if (image.isNull()) {
            p.setPen(Qt::lightGray);
            p.drawText(rect(), Qt::AlignCenter, RecordingView::tr("Aucune image"));
            return;
        }
        p.setRenderHint(QPainter::Antialiasing);
        const double s = std::min(width() / double(image.width()), height() / double(image.height()));
        const QRectF box((width() - s * image.width()) / 2, (height() - s * image.height()) / 2, s * image.width(),
                         s * image.height());
        p.drawImage(box, image);
        if (!measurement)
            return;
        // Pixel (0, 0)'s centre is the frame's origin.
        const auto at = [&](double x, double y) { return QPointF(box.left() + (x + 0.5) * s, box.top() + (y + 0.5) * s); };
        const zeno::Identification& id = measurement->identification;
        const zeno::FrameMeasurement* f = nearestKept(measurement, frame);
        const double mark = 6;
        if (id.jupiterFound) {
            const QPointF c = at(id.jupiterX, id.jupiterY);
            p.setPen(QPen(kJupiterColour, 1));
            p.drawLine(c - QPointF(mark, 0), c + QPointF(mark, 0));
            p.drawLine(c - QPointF(0, mark), c + QPointF(0, mark));
            outlinedText(p, c + QPointF(mark + 2, -mark - 2), RecordingView::tr("Jupiter"), kJupiterColour);
        }
        if (f) {
            // Each role named once, under its aperture(s): the satellites' names go above.
            QRectF roles[2];
            for (const zeno::Aperture& a : f->apertures) {
                const bool pair = a.role == zeno::ApertureRole::Pair;
                const QColor colour = pair ? kPairColour : kComparisonColour;
                const QPointF c = at(a.x, a.y);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(colour, 1.5));
                p.drawEllipse(c, a.radius * s, a.radius * s);
                p.setPen(QPen(colour, 1, Qt::DashLine));
                p.drawEllipse(c, a.annulusInner * s, a.annulusInner * s);
                p.drawEllipse(c, a.annulusOuter * s, a.annulusOuter * s);
                const double r = a.annulusOuter * s;
                roles[pair ? 0 : 1] |= QRectF(c - QPointF(r, r), c + QPointF(r, r));
            }
            const QFontMetricsF fm(p.font());
            const QString names[2] = {RecordingView::tr("couple"), RecordingView::tr("comparaison")};
            for (int i = 0; i < 2; ++i)
                if (!roles[i].isNull())
                    outlinedText(p, QPointF(roles[i].center().x() - fm.horizontalAdvance(names[i]) / 2, roles[i].bottom() + fm.ascent() + 2),
                                 names[i], i == 0 ? kPairColour : kComparisonColour);
        }
        for (int k = 0; k < 4; ++k) {
            const bool followed = f && f->followed[k];
            if (!followed && !id.found[k])
                continue;
            const QPointF c = followed ? at(f->satelliteX[k], f->satelliteY[k]) : at(id.x[k], id.y[k]);
            const QString name = zeno::satelliteDisplayName(k);
            outlinedText(p, c + QPointF(-QFontMetricsF(p.font()).horizontalAdvance(name) / 2, -mark - 4), name, kNameColour);
        }
    }
};

// The raw fluxes above, the relative flux below, against UT.
class MeasuredCurvesPlot : public QWidget {
public:
    MeasuredCurvesPlot(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
    {
        setMinimumSize(360, 240);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setCursor(Qt::CrossCursor);
        setToolTip(RecordingView::tr("Un clic montre l'image la plus proche de cet instant"));
    }
    QSize sizeHint() const override { return {520, 390}; }

    const zeno::CurveMeasurement* measurement = nullptr;
    double markUt = std::nan("");
    std::function<void(int)> frameChosen;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        const QFontMetricsF fm(p.font());
        if (!measurement || measurement->frames.empty()) {
            p.setPen(Qt::darkGray);
            p.drawText(rect(), Qt::AlignCenter, RecordingView::tr("Les flux mesurés s'afficheront ici"));
            return;
        }
        const auto& frames = measurement->frames;
        double t0 = frames.front().ut, t1 = frames.back().ut;
        if (t1 <= t0)
            t1 = t0 + 1;
        double r0 = 1e300, r1 = -1e300, q0 = 1e300, q1 = -1e300;
        for (const zeno::FrameMeasurement& f : frames) {
            const double comparison = measurement->approximation ? f.pairFlux : f.comparisonFlux;   // none for an approximation
            r0 = std::min({r0, f.pairFlux, comparison});
            r1 = std::max({r1, f.pairFlux, comparison});
            q0 = std::min(q0, lowerValue(*measurement, f));
            q1 = std::max(q1, lowerValue(*measurement, f));
        }
        const auto padded = [](double& a, double& b) {
            const double pad = std::max(1e-6 * std::max(1.0, std::abs(b)), 0.06 * (b - a));
            a -= pad;
            b += pad;
        };
        padded(r0, r1);
        r1 += kLegendRoom * (r1 - r0);
        padded(q0, q1);
        const double left = 90, right = width() - 12.0, top = fm.height() + 6, bottom = height() - 2 * fm.height() - 6;
        const double gap = fm.height() + 4, h = (bottom - top - gap) / 2;
        const PlotFrame raw{QRectF(left, top, right - left, h), t0, t1, r0, r1};
        const PlotFrame rel{QRectF(left, top + h + gap, right - left, h), t0, t1, q0, q1};
        box_ = rel.box.united(raw.box);
        t0_ = t0;
        t1_ = t1;
        paintPlotAxes(p, raw, locale_, false, RecordingView::tr("Flux mesurés"));
        paintPlotAxes(p, rel, locale_, true, measurement->approximation ? RecordingView::tr("Distance des centres (px)")
                                                                        : RecordingView::tr("Flux relatif"));
        const double dot = frames.size() > 3000 ? 1.5 : 2.5;
        const auto points = [&](const PlotFrame& pf, const QColor& colour, double zeno::FrameMeasurement::*value) {
            QPolygonF poly;
            poly.reserve(qsizetype(frames.size()));
            for (const zeno::FrameMeasurement& f : frames)
                poly << pf.at(f.ut, f.*value);
            p.setPen(QPen(colour, dot, Qt::SolidLine, Qt::RoundCap));
            p.drawPoints(poly);
        };
        p.setClipRect(raw.box);
        points(raw, kPairColour.darker(130), &zeno::FrameMeasurement::pairFlux);
        if (!measurement->approximation)
            points(raw, kComparisonColour.darker(150), &zeno::FrameMeasurement::comparisonFlux);
        p.setClipRect(rel.box);
        {
            QPolygonF poly;
            for (const zeno::FrameMeasurement& f : frames)
                poly << rel.at(f.ut, lowerValue(*measurement, f));
            p.setPen(QPen(QColor(40, 90, 170), dot, Qt::SolidLine, Qt::RoundCap));
            p.drawPoints(poly);
        }
        p.setClipping(false);
        if (std::isfinite(markUt) && markUt >= t0 && markUt <= t1) {
            p.setPen(QPen(Qt::red, 1));
            p.drawLine(raw.at(markUt, r0), raw.at(markUt, r1));
            p.drawLine(rel.at(markUt, q0), rel.at(markUt, q1));
        }
        // Legend of the raw fluxes.
        const QString names[2] = {RecordingView::tr("couple %1").arg(pairName(*measurement)),
                                  RecordingView::tr("comparaison %1").arg(measurement->comparison >= 0
                                                               ? zeno::satelliteDisplayName(measurement->comparison)
                                                               : QString())};
        const QColor colours[2] = {kPairColour.darker(130), kComparisonColour.darker(150)};
        double x = raw.box.left() + 8;
        for (int i = 0; i < (measurement->approximation ? 1 : 2); ++i) {
            const double y = raw.box.top() + 4 + fm.height() / 2;
            p.setPen(QPen(colours[i], 5, Qt::SolidLine, Qt::RoundCap));
            p.drawPoint(QPointF(x + 5, y));
            p.setPen(Qt::black);
            p.drawText(QPointF(x + 14, y + fm.ascent() / 2 - 1), names[i]);
            x += 28 + fm.horizontalAdvance(names[i]);
        }
        p.setPen(Qt::black);
        p.drawText(QRectF(0, 2, width(), fm.height()), Qt::AlignCenter,
                   RecordingView::tr("%1 images gardées sur %2").arg(frames.size()).arg(measurement->framesRead));
        p.drawText(QRectF(0, height() - fm.height() - 2, width(), fm.height()), Qt::AlignCenter, RecordingView::tr("Temps universel"));
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        if (!measurement || measurement->frames.empty() || !frameChosen || !box_.contains(e->position()))
            return;
        const double t = t0_ + (e->position().x() - box_.left()) / box_.width() * (t1_ - t0_);
        const auto& f = measurement->frames;
        auto it = std::lower_bound(f.begin(), f.end(), t, [](const zeno::FrameMeasurement& a, double u) { return a.ut < u; });
        if (it == f.end() || (it != f.begin() && t - std::prev(it)->ut < it->ut - t))
            --it;
        frameChosen(it->frame);
    }

private:
    QLocale locale_;
    QRectF box_;
    double t0_ = 0, t1_ = 1;
};

RecordingView::RecordingView(const QLocale& locale, QWidget* parent) : QWidget(parent), locale_(locale)
{
    image_ = new RecordingFrameView(this);
    image_->setObjectName(QStringLiteral("ImageEnregistrement"));
    curves_ = new MeasuredCurvesPlot(locale_, this);
    curves_->setObjectName(QStringLiteral("CourbesMesurees"));
    curves_->frameChosen = [this](int f) { showFrame(f); };
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("CurseurImages"));
    slider_->setEnabled(false);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("LabelImage"));
    label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QStringLiteral("Image 00000 / 00000 — 00/00/0000 00:00:00.0 TU — écartée")));
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(0);
    connect(pending_, &QTimer::timeout, this, &RecordingView::readFrame);
    connect(slider_, &QSlider::valueChanged, pending_, qOverload<>(&QTimer::start));

    auto* gauche = new QVBoxLayout;
    gauche->addWidget(image_, 1);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(slider_, 1);
    ligne->addWidget(label_);
    gauche->addLayout(ligne);
    auto* tout = new QHBoxLayout(this);
    tout->setContentsMargins(0, 0, 0, 0);
    tout->addLayout(gauche, 1);
    tout->addWidget(curves_, 1);
}

void RecordingView::setReader(zeno::RecordingReader* reader)
{
    reader_ = reader;
    measurement_.reset();
    image_->measurement = nullptr;
    curves_->measurement = nullptr;
    image_->image = QImage();
    const int frames = reader ? reader->info().frames : 0;
    {
        const QSignalBlocker b(slider_);
        slider_->setRange(0, std::max(0, frames - 1));
        slider_->setValue(0);
        slider_->setPageStep(std::max(1, frames / 20));
    }
    slider_->setEnabled(frames > 1);
    readFrame();
    curves_->update();
}

void RecordingView::setMeasurement(std::shared_ptr<const zeno::CurveMeasurement> m)
{
    measurement_ = std::move(m);
    image_->measurement = measurement_.get();
    curves_->measurement = measurement_.get();
    readFrame();   // the label says whether the frame was kept
    curves_->update();
}

int RecordingView::currentFrame() const { return slider_->value(); }

void RecordingView::showFrame(int frame) { slider_->setValue(frame); }

void RecordingView::readFrame()
{
    const int i = slider_->value();
    image_->frame = i;
    curves_->markUt = std::nan("");
    if (!reader_ || reader_->info().frames == 0) {
        label_->clear();
        image_->image = QImage();
        image_->update();
        return;
    }
    zeno::Frame frame;
    QStringList texte{tr("Image %1 / %2").arg(i + 1).arg(reader_->info().frames)};
    if (reader_->readFrame(i, frame)) {
        image_->image = displayImage(frame);
    } else {
        image_->image = QImage();
        texte << tr("illisible : %1").arg(reader_->error());
    }
    if (const auto t = reader_->frameTime(i)) {
        texte << tr("%1 TU").arg(zeno::utTextTenths(*t));
        curves_->markUt = *t;
    }
    if (measurement_ && !measurement_->frames.empty() && i <= measurement_->frames.back().frame) {
        const zeno::FrameMeasurement* f = nearestKept(measurement_.get(), i);
        if (f && f->frame != i)
            texte << tr("écartée");
    }
    label_->setText(texte.join(QStringLiteral(" — ")));
    image_->update();
    curves_->update();
    emit frameShown(i);
}
