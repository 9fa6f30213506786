// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long passes over files on a worker thread, under the modal progress window: the window keeps
// painting and its button stops the pass, and run() returns once the pass is over.
#include "session/LongTask.h"

#include <QString>

#include <cstdint>
#include <functional>

class QWidget;

namespace quarvelin {
class TextCatalogue;
}

class ProgressTaskRunner : public quarvelin::LongTaskRunner {
public:
    ProgressTaskRunner(QWidget* parent, const quarvelin::TextCatalogue& catalogue)
        : parent_(parent), catalogue_(catalogue) {}

    void run(const std::string& title, const quarvelin::LongTask& task) override;
    // The same, the window's text made from the two counts by `caption`.
    using Caption = std::function<QString(std::int64_t kept, std::int64_t seen)>;
    void run(const std::string& title, const quarvelin::LongTask& task, const Caption& caption);
    // "3/5 games": the noun takes the form the last count asks for in the catalogue's language.
    static QString countCaption(const quarvelin::TextCatalogue& catalogue, std::int64_t kept,
                                std::int64_t seen);

private:
    QWidget* parent_;
    const quarvelin::TextCatalogue& catalogue_;
};
