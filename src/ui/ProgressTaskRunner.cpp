// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressTaskRunner.h"

#include "localisation/TextCatalogue.h"
#include "ui/ProgressWindow.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <thread>

QString ProgressTaskRunner::countCaption(const quarvelin::TextCatalogue& catalogue,
                                         std::int64_t kept, std::int64_t seen) {
    using quarvelin::TextKey;
    return QStringLiteral("%1/%2").arg(kept).arg(seen) +
           QString::fromStdString(catalogue.countText(
               seen, TextKey::GamesSuffixOne, TextKey::GamesSuffixFew, TextKey::GamesSuffix));
}

void ProgressTaskRunner::run(const std::string& title, const quarvelin::LongTask& task) {
    const quarvelin::TextCatalogue& catalogue = catalogue_;
    run(title, task, [&catalogue](std::int64_t kept, std::int64_t seen) {
        return countCaption(catalogue, kept, seen);
    });
}

void ProgressTaskRunner::run(const std::string& title, const quarvelin::LongTask& task,
                             const Caption& caption) {
    ProgressWindow window(parent_);
    window.appliquer_textes(catalogue_);
    window.setTitle(QString::fromStdString(title) + QStringLiteral(" ..."));
    window.setWindowModality(Qt::ApplicationModal);
    window.show();

    // The worker only posts to the interface thread; a report still queued when the window
    // goes is dropped with it.
    const quarvelin::ProgressReport report = [&window, &caption](int percent, std::int64_t kept,
                                                                 std::int64_t seen) {
        QMetaObject::invokeMethod(
            &window,
            [&window, &caption, percent, kept, seen] {
                window.setText(caption(kept, seen));
                window.afficher_progression(percent);
            },
            Qt::QueuedConnection);
    };
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            task(report, window.cancelToken());
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    window.close();
    if (failure) std::rethrow_exception(failure);
}
