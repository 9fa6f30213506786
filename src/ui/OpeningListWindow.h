#pragma once
// The openings that continue the game (`liste_coup`): code, name and line of every row of the
// opening base that begins with the game text.
#include "openings/EcoLine.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

namespace quarvelin {
class TextCatalogue;
}

class OpeningListWindow : public QDialog {
    Q_OBJECT

public:
    OpeningListWindow(const quarvelin::TextCatalogue& catalogue, QWidget* parent = nullptr);

    // Fills the list, row by row, with the progress window over long lists; stops when it is
    // cancelled, keeping what was listed. The number of rows goes in front of the title.
    void fill(const std::string& gameMoveText, const std::vector<quarvelin::EcoLine>& lines);
    QTreeWidget* list() const { return list_; }

private:
    const quarvelin::TextCatalogue& catalogue_;
    QTreeWidget* list_ = nullptr;
};
