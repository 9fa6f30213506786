#pragma once
// Long passes over files on a worker thread, under the modal progress window: the window keeps
// painting and its button stops the pass, and run() returns once the pass is over.
#include "session/LongTask.h"

class QWidget;

namespace quarvelin {
class TextCatalogue;
}

class ProgressTaskRunner : public quarvelin::LongTaskRunner {
public:
    ProgressTaskRunner(QWidget* parent, const quarvelin::TextCatalogue& catalogue)
        : parent_(parent), catalogue_(catalogue) {}

    void run(const std::string& title, const quarvelin::LongTask& task) override;

private:
    QWidget* parent_;
    const quarvelin::TextCatalogue& catalogue_;
};
