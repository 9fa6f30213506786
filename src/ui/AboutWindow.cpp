// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutWindow.h"

#include "config/Version.h"
#include "localisation/Catalogue.h"
#include "ui/Captions.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVBoxLayout>

using quarvelin::TextKey;

namespace {

QString sqliteVersion() {
    const QString name = QStringLiteral("quarvelin-about");
    QString version;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (db.open()) {
            QSqlQuery q(QStringLiteral("SELECT sqlite_version()"), db);
            if (q.next()) version = q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}

} // namespace

QStringList AboutWindow::libraries() {
    QStringList r;
    QString qt = QStringLiteral("Qt %1").arg(QLatin1String(qVersion()));
    if (qstrcmp(qVersion(), QT_VERSION_STR) != 0)
        qt += QStringLiteral(" (%1)").arg(QLatin1String(QT_VERSION_STR));
    r << qt + QStringLiteral(" — Core, GUI, Widgets, SVG, SQL, Network, Multimedia, Print Support");
    const QString sqlite = sqliteVersion();
    if (!sqlite.isEmpty()) r << QStringLiteral("SQLite %1").arg(sqlite);
#if defined(__GLIBCXX__) && defined(__VERSION__)
    r << QStringLiteral("GNU C++ %1 (libstdc++)").arg(QLatin1String(__VERSION__));
#endif
    return r;
}

AboutWindow::AboutWindow(const quarvelin::Catalogue& catalogue, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/pieces/quarvelin/10.svg")).pixmap(72, 72));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    body_ = new QLabel(this);
    body_->setObjectName(QStringLiteral("texte"));
    body_->setWordWrap(true);
    body_->setTextFormat(Qt::RichText);
    body_->setOpenExternalLinks(true);
    body_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    body_->setMinimumWidth(440);
    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setDefault(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(icon);
    top->addWidget(body_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->setSpacing(14);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    appliquer_textes(catalogue);
}

void AboutWindow::appliquer_textes(const quarvelin::Catalogue& catalogue) {
    setWindowTitle(Captions::text(catalogue, TextKey::AboutTitle));
    ok_->setText(Captions::text(catalogue, TextKey::ButtonOk));
    const auto html = [](const std::string& s) {
        return QString::fromStdString(s).toHtmlEscaped();
    };
    // The first line of the description names the program and its version.
    const QStringList intro =
        html(catalogue.text(TextKey::AboutBody, {quarvelin::ProgramVersion})).split(u'\n');
    QString t = QStringLiteral("<p style=\"font-size:large\"><b>%1</b></p>").arg(intro.value(0));
    for (qsizetype i = 1; i < intro.size(); ++i) t += QStringLiteral("<p>%1</p>").arg(intro[i]);
    t += QStringLiteral("<p>%1</p>").arg(html(catalogue.text(TextKey::AboutLicence)));
    t += QStringLiteral("<p><b>%1</b><br>").arg(html(catalogue.text(TextKey::AboutLibraries)));
    QStringList lines = libraries();
    for (QString& l : lines) l = l.toHtmlEscaped();
    t += lines.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
    const QString source = QString::fromUtf8(quarvelin::SourceAddress);
    if (!source.isEmpty()) {
        const QString link = QStringLiteral("<a href=\"%1\">%1</a>").arg(source.toHtmlEscaped());
        t += QStringLiteral("<p>%1</p>")
                 .arg(html(catalogue.text(TextKey::AboutSource, {"%1"})).arg(link));
    }
    body_->setText(t);
}
