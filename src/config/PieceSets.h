// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where piece sets and board pictures are found. A piece set is a folder of images named by
// piece code (2..13); the program's own set is compiled into its resources, further sets sit in
// the images/pieces folder of the installation or of the user's data folder (where the sets of
// other packages are cut when the installation cannot be written).
#include <string>
#include <vector>

namespace quarvelin {

class PieceSets {
public:
    static constexpr const char* OwnSet = "Quarvelin";
    static constexpr const char* OwnFolder = ":/pieces/quarvelin";

    // The program's own set first, then every folder of installDir/images/pieces and
    // dataDir/images/pieces that holds a king image (13.svg, 13.png or 13.ico), by name.
    static std::vector<std::string> names(const std::string& installDir,
                                          const std::string& dataDir = {});
    // The folder of a set: the program's own for its name, else the installation's when it
    // holds the set, else the data folder's when that one does.
    static std::string folder(const std::string& installDir, const std::string& name,
                              const std::string& dataDir = {});
    // One piece's image in a folder: SVG preferred, then PNG, then ICO; empty when there is none.
    static std::string image(const std::string& folder, int pieceCode);

    // The board pictures of installDir/images/echiquier, by name.
    static std::vector<std::string> boardPictures(const std::string& installDir);
};

} // namespace quarvelin
