// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window captions from the text catalogue, with the decorations of the user's language.
#include "localisation/Catalogue.h"

#include <QString>

class Captions {
public:
    static QString text(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key);
    // A label before its field: "Nom :" in French, "Name:" elsewhere.
    static QString label(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key);
    static QString label(const quarvelin::Catalogue& catalogue, const QString& text);
    // The text with its first letter in capitals, for names the catalogue keeps in lower case.
    static QString capitalised(const quarvelin::Catalogue& catalogue, quarvelin::TextKey key);
};
