// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Captions.h"

QString Captions::text(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key) {
    return QString::fromStdString(catalogue.text(key));
}

QString Captions::label(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key) {
    return label(catalogue, text(catalogue, key));
}

QString Captions::label(const quarvelin::Catalogue& catalogue, const QString& text) {
    // Before any language is applied the texts are French.
    const bool french = catalogue.BaseTexte() <= quarvelin::Catalogue::textBase(1);
    return text + (french ? QStringLiteral("\u00A0:") : QStringLiteral(":"));
}

QString Captions::capitalised(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key) {
    QString t = text(catalogue, key);
    if (!t.isEmpty()) t[0] = t[0].toUpper();
    return t;
}
