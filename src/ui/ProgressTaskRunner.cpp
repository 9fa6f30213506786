#include "ui/ProgressTaskRunner.h"

#include "localisation/TextCatalogue.h"
#include "ui/ProgressWindow.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <thread>

void ProgressTaskRunner::run(const std::string& title, const quarvelin::LongTask& task) {
    ProgressWindow window(parent_);
    window.appliquer_textes(catalogue_);
    window.setTitle(QString::fromStdString(title) + QStringLiteral(" ..."));
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    const QString games = QString::fromStdString(catalogue_.text(quarvelin::TextKey::GamesSuffix));

    // The worker only posts to the interface thread; a report still queued when the window
    // goes is dropped with it.
    const quarvelin::ProgressReport report = [&window, games](int percent, std::int64_t kept,
                                                              std::int64_t seen) {
        QMetaObject::invokeMethod(
            &window,
            [&window, games, percent, kept, seen] {
                window.setText(QStringLiteral("%1/%2").arg(kept).arg(seen) + games);
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
