// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Startup.h"
#include "config/Version.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPalette>
#include <QStandardPaths>
#include <QStyleFactory>

namespace {

// Our own light palette, so a dark desktop theme does not leave the board on a black window.
QPalette lightPalette() {
    QPalette p;
    const QColor window(0xF3, 0xF4, 0xF1);
    const QColor text(0x20, 0x23, 0x1E);
    const QColor highlight(0x5A, 0x7D, 0x3A);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xEC, 0xEE, 0xE8));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0xEC, 0xED, 0xE9));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFD, 0xF2));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x80, 0x84, 0x7C));
    p.setColor(QPalette::Link, highlight.darker(115));
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xE2, 0xE4, 0xDE));
    p.setColor(QPalette::Mid, QColor(0xB4, 0xB8, 0xAF));
    p.setColor(QPalette::Dark, QColor(0x8E, 0x93, 0x88));
    p.setColor(QPalette::Shadow, QColor(0x4A, 0x4D, 0x46));
    const QColor disabled(0x9A, 0x9D, 0x96);
    p.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    p.setColor(QPalette::Disabled, QPalette::Text, disabled);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0xB8, 0xC2, 0xAE));
    return p;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quarvelin"));
    QApplication::setApplicationName(QStringLiteral("Quarvelin"));
    QApplication::setApplicationVersion(QLatin1String(quarvelin::ProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("quarvelin"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(lightPalette());

    quarvelin::Catalogue catalogue;
    const quarvelin::Locations locations = quarvelin::settingsLocations(
        QApplication::applicationDirPath().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());
    quarvelin::Settings settings;
    const quarvelin::Startup d = quarvelin::start(locations, settings, catalogue);
    if (d.end) {
        QMessageBox::warning(nullptr, QLatin1String(quarvelin::ProgramName),
                             QString::fromStdString(d.message));
        return 1;
    }
    MainWindow window(settings, catalogue, locations);
    window.show();
    if (!d.fileError.empty())
        QMessageBox::warning(
            &window, QLatin1String(quarvelin::ProgramName),
            QString::fromStdString(catalogue.text(quarvelin::TextKey::SettingsCannotWrite) +
                                   d.fileError));
    if (!d.ignored.empty()) {
        std::string lines;
        for (const auto& l : d.ignored) lines += "\n" + l;
        QMessageBox::warning(
            &window, QLatin1String(quarvelin::ProgramName),
            QString::fromStdString(catalogue.text(quarvelin::TextKey::SettingsValuesIgnored) +
                                   lines));
    }
    const QStringList args = QApplication::arguments();
    window.start(args.size() > 1 ? args.mid(1).join(u' ') : QString());
    return app.exec();
}
