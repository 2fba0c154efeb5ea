// The help window: the help document beside a contents pane made of its headings.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

class FenetreAide : public QWidget {
    Q_OBJECT
public:
    explicit FenetreAide(QWidget* parent = nullptr);

    // Loads the document (a resource path ":/…" or a file) and shows it from
    // its beginning, the table of contents. Throws std::runtime_error when the
    // document is missing, unreadable or empty.
    void ouvre(const QString& chemin);

    QTextBrowser* navigateur() const { return navigateur_; }
    QTreeWidget* sommaire() const { return sommaire_; }

private:
    void construitSommaire();
    void vaA(QTreeWidgetItem* element);

    QTextBrowser* navigateur_;
    QTreeWidget* sommaire_;
    QString chemin_;
};
