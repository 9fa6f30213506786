// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Piece sets of other Debian packages, offered beside the program's own. scid-data keeps each
// set as strips of twelve pieces, one strip per size (pawn, knight, bishop, rook, queen, king,
// White then Black); they are cut once into one picture per piece code, the form the board and
// the preferences read.
#include <QString>
#include <QStringList>

// The strips of every set under `source` cut into `target`/<set>/<code>.png from the largest
// size; sets already there are left alone. The names of the sets available in `target`.
QStringList importScidSets(const QString& source, const QString& target);

inline constexpr const char* ScidSetsFolder = "/usr/share/scid/img/pieces";
