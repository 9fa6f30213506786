// SPDX-License-Identifier: GPL-3.0-or-later
// Writes an empty correspondence base at the path given, when no file is there yet: the build
// tree keeps the games tried in it, an installation gets a fresh one.
#include "correspondence/CorrespondenceStore.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corres_base BASE.db\n");
        return 2;
    }
    quarvelin::CorrespondenceStore store(QString::fromLocal8Bit(argv[1]));
    if (store.exists()) return 0;
    QDir().mkpath(QFileInfo(store.path()).absolutePath());
    if (!store.createEmpty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], store.lastError().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
