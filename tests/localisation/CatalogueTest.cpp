#include "localisation/Catalogue.h"
#include "rules/NomPiece.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

using quarvelin::Catalogue;
using quarvelin::NombreLangues;

namespace {

void ecrire(const std::string& chemin, const std::string& contenu) {
    std::ofstream(chemin, std::ios::binary) << contenu;
}

// A catalogue on disk whose texts name their language and offset, e.g. "en-92".
class CatalogueFactice {
public:
    CatalogueFactice() {
        for (int cle = 1; cle <= NombreLangues; ++cle) {
            const std::string code = std::string(Catalogue::nom_fichier(cle)).substr(0, 2);
            std::string contenu;
            for (int d : {1, 90, 92, 999})
                contenu += std::to_string(d) + "\t" + code + "-" + std::to_string(d) + "\n";
            ecrire(chemin(Catalogue::nom_fichier(cle)), contenu);
        }
    }
    std::string chemin(const std::string& fichier) const { return dossier() + "/" + fichier; }
    std::string dossier() const { return repertoire_.path().toStdString(); }

private:
    QTemporaryDir repertoire_;
};

TEST(CatalogueFichiers, ChaqueLangueSeLitSansProbleme) {
    const Catalogue ressources;
    const Catalogue sources(QUARVELIN_SOURCE_DIR "/data/catalogue");
    for (const Catalogue* catalogue : {&ressources, &sources}) {
        for (const auto& probleme : catalogue->problemes()) ADD_FAILURE() << probleme;
        for (int cle = 1; cle <= NombreLangues; ++cle)
            EXPECT_FALSE(catalogue->decalages(cle).empty()) << Catalogue::nom_fichier(cle);
    }
}

TEST(CatalogueFichiers, ToutesLesLanguesOntLesMemesTextes) {
    const Catalogue catalogue;
    const std::vector<int> francais = catalogue.decalages(1);
    for (int cle = 1; cle <= NombreLangues; ++cle) {
        SCOPED_TRACE(Catalogue::nom_fichier(cle));
        EXPECT_EQ(catalogue.decalages(cle), francais);
        for (int d : francais)
            EXPECT_NE(catalogue.texte_catalogue(Catalogue::base_texte(cle) + d), "") << d;
    }
}

TEST(CatalogueFichiers, TexteSuiviDUneValeurGardeSonEspace) {
    const Catalogue catalogue;
    for (int cle = 1; cle <= NombreLangues; ++cle) {
        for (int d : {90, 900, 901, 902, 903, 904}) {
            const std::string t = catalogue.texte_catalogue(Catalogue::base_texte(cle) + d);
            EXPECT_TRUE(t.size() > 2 && t.ends_with(": "))
                << Catalogue::nom_fichier(cle) << " " << d << " \"" << t << "\"";
        }
    }
}

TEST(CatalogueNumerotation, BaseEtNotationParLangue) {
    const struct {
        int cle, base, notation;
    } cas[] = {{0, 1010, 2}, {1, 10, 1},   {2, 1010, 2},  {3, 2010, 2},
               {4, 3010, 2}, {5, 4010, 2}, {6, 5010, 2},  {7, 6010, 2},
               {8, 7010, 2}, {9, 1010, 2}, {-1, 1010, 2}, {INT_MIN, 1010, 2}};
    for (const auto& c : cas) {
        EXPECT_EQ(Catalogue::base_texte(c.cle), c.base) << c.cle;
        EXPECT_EQ(Catalogue::notation_langue(c.cle), c.notation) << c.cle;
    }
}

TEST(CatalogueNumerotation, NumeroGlobal) {
    const CatalogueFactice factice;
    const Catalogue catalogue(factice.dossier());
    ASSERT_TRUE(catalogue.problemes().empty());
    const struct {
        int numero;
        const char* texte;
    } cas[] = {{INT_MIN, ""},   {-5, ""},        {9, ""},          {10, ""},        {11, "fr-1"},
               {100, "fr-90"},  {102, "fr-92"},  {1009, "fr-999"}, {1010, ""},      {1011, "en-1"},
               {1102, "en-92"}, {2102, "it-92"}, {3102, "es-92"},  {4102, "de-92"}, {5102, "pt-92"},
               {6102, "ru-92"}, {7102, "pl-92"}, {8009, "pl-999"}, {8010, ""},      {8011, ""},
               {INT_MAX, ""}};
    for (const auto& c : cas) EXPECT_EQ(catalogue.texte_catalogue(c.numero), c.texte) << c.numero;
}

TEST(CatalogueNumerotation, TexteSuitLaLangueAppliquee) {
    const CatalogueFactice factice;
    Catalogue catalogue(factice.dossier());
    EXPECT_EQ(catalogue.BaseTexte(), 0);
    EXPECT_EQ(catalogue.texte(100), "fr-90"); // bare number before any language
    const struct {
        int cle;
        int numero92;
        const char* texte92;
    } cas[] = {{2, 1102, "en-92"}, {1, 102, "fr-92"}, {8, 7102, "pl-92"}, {0, 1102, "en-92"}};
    for (const auto& c : cas) {
        catalogue.appliquer_langue(c.cle);
        EXPECT_EQ(catalogue.BaseTexte(), Catalogue::base_texte(c.cle));
        EXPECT_EQ(catalogue.texte(92), catalogue.texte_catalogue(c.numero92)) << c.cle;
        EXPECT_EQ(catalogue.texte(92), c.texte92) << c.cle;
    }
}

TEST(CatalogueNumerotation, CleDeReglagesAvantLaLangue) {
    const Catalogue catalogue;
    ASSERT_EQ(catalogue.BaseTexte(), 0);
    EXPECT_EQ(catalogue.texte_catalogue(100), "Clé inconnue dans le fichier de réglages : ");
    EXPECT_EQ(catalogue.texte(100), catalogue.texte_catalogue(100));
}

TEST(CatalogueFichierCasse, ProblemesParFichierEtLigne) {
    QTemporaryDir dossier;
    const std::string chemin = dossier.path().toStdString();
    ecrire(chemin + "/fr.txt",
           "# comment\n"                                                  // 1
           "\n"                                                           // 2
           "1\tun\n"                                                      // 3
           "sans tab\n"                                                   // 4
           "abc\tx\n"                                                     // 5
           "0\tzero\n"                                                    // 6
           "1000\tmille\n"                                                // 7
           "1\tdoublon\n"                                                 // 8
           "-3\tnegatif\n"                                                // 9
           " 7\tespace\n"                                                 // 10
           "7 \tespace\n"                                                 // 11
           "\tvide\n"                                                     // 12
           "8\tdeux\\nlignes\r\n"                                         // 13
           "9\t\n"                                                        // 14
           "+4\tplus\n"                                                   // 15
           "10\tfin");                                                    // 16, no final newline
    ecrire(chemin + "/en.txt", std::string("\xEF\xBB\xBF") + "1\tone\n"); // with a byte order mark

    const Catalogue catalogue(chemin);
    std::vector<int> lignes;
    std::vector<std::string> absents;
    for (const auto& p : catalogue.problemes()) {
        if (p.starts_with("fr.txt:"))
            lignes.push_back(std::atoi(p.c_str() + 7));
        else
            absents.push_back(p.substr(0, p.find(':')));
    }
    EXPECT_EQ(lignes, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 15}));
    EXPECT_EQ(absents, (std::vector<std::string>{"it.txt", "es.txt", "de.txt", "pt.txt", "ru.txt",
                                                 "pl.txt"}));

    EXPECT_EQ(catalogue.texte_catalogue(11), "un"); // the first of a duplicate wins
    EXPECT_EQ(catalogue.texte_catalogue(18), "deux\nlignes");
    EXPECT_EQ(catalogue.texte_catalogue(20), "fin");
    EXPECT_EQ(catalogue.decalages(1), (std::vector<int>{1, 8, 9, 10}));
    EXPECT_EQ(catalogue.texte_catalogue(1011), "one");
    EXPECT_EQ(catalogue.texte_catalogue(2011), "");
}

TEST(CatalogueLangueSysteme, NomDeLocale) {
    const struct {
        const char* nom;
        int cle;
    } cas[] = {
        {"fr_FR.UTF-8", 1}, {"fr", 1},         {"FR_ca", 1},   {"en_GB.UTF-8", 2}, {"it_IT", 3},
        {"es_ES.UTF-8", 4}, {"de_DE@euro", 5}, {"pt_BR", 6},   {"ru_RU.UTF-8", 7}, {"pl_PL", 8},
        {"pl-PL", 8},       {"C", 2},          {"C.UTF-8", 2}, {"POSIX", 2},       {"", 2},
        {"nl_NL", 2},       {"f", 2}};
    for (const auto& c : cas) EXPECT_EQ(quarvelin::langue_de_locale(c.nom), c.cle) << c.nom;
}

TEST(CatalogueLangueSysteme, OrdreDesVariables) {
    const char* noms[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> sauvegarde[3];
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv(noms[i])) sauvegarde[i] = v;

    const struct {
        const char* valeurs[3]; // nullptr: unset
        int cle;
    } cas[] = {{{"de_DE", "ru_RU", "fr_FR"}, 5},
               {{nullptr, "ru_RU", "fr_FR"}, 7},
               {{nullptr, nullptr, "pl_PL"}, 8},
               {{"", "", "it_IT"}, 3},
               {{nullptr, nullptr, nullptr}, 2}};
    for (const auto& c : cas) {
        for (int i = 0; i < 3; ++i) {
            if (c.valeurs[i])
                setenv(noms[i], c.valeurs[i], 1);
            else
                unsetenv(noms[i]);
        }
        EXPECT_EQ(quarvelin::langue_systeme(), c.cle) << c.valeurs[2];
    }
    for (int i = 0; i < 3; ++i) {
        if (sauvegarde[i])
            setenv(noms[i], sauvegarde[i]->c_str(), 1);
        else
            unsetenv(noms[i]);
    }
}

// Catalogue offsets the code writes as literals: texte(NNN) calls and Texte... constants.
std::vector<int> decalages_cites(const std::string& source) {
    static const std::regex appel(R"(\btexte\s*\(\s*(\d+)\s*\))");
    static const std::regex constante(R"(\bconstexpr\s+int\s+Texte\w*\s*=\s*(\d+)\s*;)");
    std::vector<int> cites;
    for (const std::regex* motif : {&appel, &constante})
        for (std::sregex_iterator it(source.begin(), source.end(), *motif), fin; it != fin; ++it)
            cites.push_back(std::stoi((*it)[1].str()));
    return cites;
}

TEST(CatalogueSources, ReperageDesDecalages) {
    const struct {
        const char* source;
        std::vector<int> attendus;
    } cas[] = {
        {"cat.texte(338)", {338}},
        {"c->texte( 900 ) + jeton", {900}},
        {"texte(1) + texte(2)", {1, 2}},
        {"lire_texte(5)", {}},
        {"texte_catalogue(100)", {}},
        {"texte(offset)", {}},
        {"constexpr int TexteCoupRefuse = 900;", {900}},
        {"static constexpr int TextePion=156;", {156}},
        {"inline constexpr int TexteRoi =\n    161 ;", {161}},
        {"constexpr int NumeroCle = 100;", {}},
    };
    for (const auto& c : cas) EXPECT_EQ(decalages_cites(c.source), c.attendus) << c.source;
}

TEST(CatalogueSources, ChaqueDecalageCiteExisteDansToutesLesLangues) {
    namespace fs = std::filesystem;
    const fs::path racine = QUARVELIN_SOURCE_DIR "/src";
    ASSERT_TRUE(fs::is_directory(racine));
    const Catalogue catalogue;
    int fichiers = 0;
    for (const auto& entree : fs::recursive_directory_iterator(racine)) {
        const auto ext = entree.path().extension();
        if (!entree.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        ++fichiers;
        std::ostringstream contenu;
        contenu << std::ifstream(entree.path(), std::ios::binary).rdbuf();
        for (int d : decalages_cites(contenu.str()))
            for (int cle = 1; cle <= NombreLangues; ++cle)
                EXPECT_NE(catalogue.texte_catalogue(Catalogue::base_texte(cle) + d), "")
                    << entree.path().string() << " cites offset " << d << ", missing in "
                    << Catalogue::nom_fichier(cle);
    }
    EXPECT_GT(fichiers, 0);
}

} // namespace

// The piece names reach the standard-library core through the catalogue's interface.
TEST(NomPiece, ParTypeEtLangue) {
    quarvelin::Catalogue catalogue;
    catalogue.appliquer_langue(1);
    EXPECT_EQ(quarvelin::nom_piece(8, catalogue), "pion");
    EXPECT_EQ(quarvelin::nom_piece(4, catalogue), "cavalier");
    EXPECT_EQ(quarvelin::nom_piece(13, catalogue), "roi");
    EXPECT_EQ(quarvelin::nom_piece(1, catalogue), "");
    EXPECT_EQ(quarvelin::nom_piece(14, catalogue), "");
    catalogue.appliquer_langue(2);
    EXPECT_EQ(quarvelin::nom_piece(6, catalogue), "queen");
    catalogue.appliquer_langue(5);
    EXPECT_EQ(quarvelin::nom_piece(11, catalogue), "Läufer");
}

// Every text the windows and messages of the program ask for, by offset: the catalogue must
// hold all of them in every language before the windows that show them are built.
TEST(CatalogueSources, TextesDuProgrammeDansToutesLesLangues) {
    const int offsets[] = {
        28,  50,  51,  52,  53,  54,  55,  83,  84,  85,  86,  87,  92,  100, 101, 105, 106, 107,
        108, 109, 110, 111, 112, 113, 114, 115, 116, 118, 120, 121, 122, 123, 124, 126, 127, 128,
        129, 130, 131, 132, 133, 134, 135, 138, 143, 146, 147, 148, 149, 150, 151, 152, 153, 154,
        155, 156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 172, 173,
        175, 176, 177, 178, 184, 185, 186, 187, 188, 200, 214, 215, 216, 217, 218, 219, 220, 225,
        226, 227, 230, 232, 233, 234, 235, 236, 248, 258, 259, 268, 269, 270, 271, 272, 274, 275,
        276, 277, 278, 279, 292, 293, 294, 296, 297, 315, 318, 319, 320, 321, 322, 323, 324, 325,
        326, 327, 328, 330, 331, 332, 333, 334, 335, 336, 337, 338, 340, 342, 400, 409, 440, 441,
        442, 443, 444, 445, 446, 447, 471, 472, 479, 481, 482, 483, 484, 520, 521, 522, 600, 656,
    };
    quarvelin::Catalogue catalogue;
    for (int cle = 1; cle <= quarvelin::NombreLangues; ++cle) {
        catalogue.appliquer_langue(cle);
        for (int offset : offsets)
            EXPECT_FALSE(catalogue.texte(offset).empty())
                << "offset " << offset << " language " << cle;
    }
}
