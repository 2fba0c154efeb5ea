#include "fenetreaide.h"

#include "controles.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>

#include <stdexcept>

FenetreAide::FenetreAide(QWidget* parent)
    : QWidget(parent, Qt::Window), navigateur_(new QTextBrowser), sommaire_(new QTreeWidget)
{
    setObjectName(QStringLiteral("FenetreAide"));
    setWindowTitle(tr("Aide de Zenolune"));
    setFont(policeFenetre(9));
    resize(820, 560);

    sommaire_->setObjectName(QStringLiteral("Sommaire"));
    sommaire_->setHeaderLabel(tr("Sommaire"));
    sommaire_->header()->setStretchLastSection(true);
    sommaire_->setRootIsDecorated(true);
    sommaire_->setExpandsOnDoubleClick(false);
    navigateur_->setObjectName(QStringLiteral("Navigateur"));
    navigateur_->setOpenExternalLinks(true);
    navigateur_->setFont(policeFenetre(10));

    auto* separation = new QSplitter(Qt::Horizontal);
    separation->addWidget(sommaire_);
    separation->addWidget(navigateur_);
    separation->setStretchFactor(1, 1);
    separation->setSizes({220, 600});
    auto* disposition = new QHBoxLayout(this);
    disposition->setContentsMargins(4, 4, 4, 4);
    disposition->addWidget(separation);

    auto* fermer = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(fermer, &QShortcut::activated, this, &QWidget::close);

    connect(sommaire_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* e) { vaA(e); });
    connect(sommaire_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* e) { vaA(e); });
}

void FenetreAide::ouvre(const QString& chemin)
{
    QFile fichier(chemin);
    if (chemin.isEmpty() || !fichier.open(QIODevice::ReadOnly))
        throw std::runtime_error("document d'aide introuvable");
    if (fichier.readAll().trimmed().isEmpty())
        throw std::runtime_error("document d'aide vide");

    const QUrl adresse = chemin.startsWith(QLatin1Char(':'))
                             ? QUrl(QStringLiteral("qrc") + chemin)
                             : QUrl::fromLocalFile(QFileInfo(chemin).absoluteFilePath());
    if (chemin != chemin_ || navigateur_->source() != adresse) {
        navigateur_->setSource(adresse, QTextDocument::HtmlResource);
        chemin_ = chemin;
        construitSommaire();
    }
    navigateur_->verticalScrollBar()->setValue(0);   // at the contents
    if (sommaire_->topLevelItemCount() > 0)
        sommaire_->setCurrentItem(sommaire_->topLevelItem(0));
}

void FenetreAide::construitSommaire()
{
    sommaire_->clear();
    QTreeWidgetItem* parents[4] = {nullptr, nullptr, nullptr, nullptr};
    const QTextDocument* doc = navigateur_->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const int niveau = b.blockFormat().headingLevel();
        const QString titre = b.text().simplified();
        if (niveau < 1 || niveau > 3 || titre.isEmpty())
            continue;
        QTreeWidgetItem* dessus = nullptr;
        for (int n = niveau - 1; n >= 1 && !dessus; --n)
            dessus = parents[n];
        auto* element = dessus ? new QTreeWidgetItem(dessus) : new QTreeWidgetItem(sommaire_);
        element->setText(0, titre);
        element->setData(0, Qt::UserRole, b.position());
        parents[niveau] = element;
        for (int n = niveau + 1; n <= 3; ++n)
            parents[n] = nullptr;
    }
    if (sommaire_->topLevelItemCount() == 0) {
        // No headings: the named anchors stand for the sections.
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QStringList noms = it.fragment().charFormat().anchorNames();
                if (noms.isEmpty())
                    continue;
                auto* element = new QTreeWidgetItem(sommaire_);
                const QString titre = b.text().simplified();
                element->setText(0, titre.isEmpty() ? noms.first() : titre);
                element->setData(0, Qt::UserRole, b.position());
                break;
            }
        }
    }
    sommaire_->expandAll();
}

void FenetreAide::vaA(QTreeWidgetItem* element)
{
    if (!element)
        return;
    QTextDocument* doc = navigateur_->document();
    const QTextBlock b = doc->findBlock(element->data(0, Qt::UserRole).toInt());
    if (!b.isValid())
        return;
    const QRectF zone = doc->documentLayout()->blockBoundingRect(b);
    navigateur_->verticalScrollBar()->setValue(int(zone.top()));
}
